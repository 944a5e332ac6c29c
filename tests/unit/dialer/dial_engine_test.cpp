#include "dialer/connector.h"
#include "dialer/dial_progress.h"
#include "dialer/message_file.h"
#include "tests/unit/dialer/fake_ras.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dialer {
namespace {

class DialEngineTest : public testing::ConnectorFixture {
protected:
    DialEngineTest() {
        std::filesystem::create_directories(dir / "temp" / "sub");
        std::ofstream(dir / "temp" / "change.ini") << "x";
        Write("filelist.ini", "인터넷^internet^웹으로?^iexplore.exe\r\n게임방^game^게임으로?^Client.exe\r\n자료실^file^자료?^\r\n");
        connector.State().entryNames = {"게임방", "인터넷", "자료실"};
    }
    const ConnectorState& State() { return connector.State(); }
    bool Ready() { return State().idle && !State().dialing && !State().connectActive; }
    bool TempGone() const { return !std::filesystem::exists(dir / "temp"); }
    void Report(std::initializer_list<std::uint32_t> states) {
        for (std::uint32_t state : states) connector.OnRasDialEvent(state, 0);
    }
};

TEST_F(DialEngineTest, AConfirmedItemDialsItsEntryAndTheLampsLightInOrderUpToTheUpdater) {
    connector.ConnectItem(2);
    EXPECT_EQ(view.questions, (std::vector<std::string>{"게임방: 게임으로?"}));
    EXPECT_EQ(ras.dialed, (std::vector<std::string>{"게임방"}));
    EXPECT_TRUE(State().connectActive && State().dialing && !State().idle);
    EXPECT_EQ(State().connection, 42u);

    Report({0, 1, 2, 3, 4, 5, 14, kStateConnected});
    EXPECT_EQ(view.lampOrder, (std::vector<int>{1051, 1057, 1056, 1052, 1053, 1055}));
    EXPECT_EQ(view.progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 15, 22}));
    EXPECT_EQ(view.updatersStarted, 1);
    EXPECT_TRUE(view.messages.empty());
}

TEST(DialStates, EveryStateHasItsText) {
    EXPECT_EQ(StateTextId(17), 18);
    EXPECT_EQ(StateTextId(0x1000), 26);
    EXPECT_EQ(StateTextId(0x1001), 19);
    EXPECT_EQ(StateTextId(0x1002), 20);
    EXPECT_EQ(StateTextId(0x1003), 21);
    EXPECT_EQ(StateTextId(kStateDisconnected), 23);
    EXPECT_EQ(StateTextId(18), 25);
    EXPECT_EQ(StateTextId(0x2002), 25);
}

TEST_F(DialEngineTest, TheQuestionIsSkippedWhenToldAndCancellingItDialsNothing) {
    view.confirms = false;
    connector.ConnectItem(1);
    EXPECT_TRUE(ras.dialed.empty());
    EXPECT_TRUE(Ready());

    ASSERT_TRUE(SetSkipsQuestion(dir / "config/message.ini", "인터넷", true));
    connector.ConnectItem(1);
    EXPECT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(ras.dialed, (std::vector<std::string>{"인터넷"}));
}

TEST_F(DialEngineTest, ARefusedDialOrAMissingEntryLeavesTheHalfStateThatOnlyHangUpLeaves) {
    ras.dialResult = 633;
    connector.ConnectItem(2);
    ras.dialResult = 20000;  // a code the system cannot describe
    connector.State() = {};
    connector.State().entryNames = {"게임방"};
    connector.ConnectItem(2);
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].text, "error 633");
    EXPECT_EQ(view.messages[0].caption, "알림");
    EXPECT_EQ(view.messages[1].text, "Undefined RAS Dial Error (20000).");
    EXPECT_TRUE(!State().idle && State().connectActive && !State().dialing);

    connector.State().autoItem = true;
    connector.OnConnectButton();
    EXPECT_EQ(ras.dialed.size(), 2u);
    connector.OnHangUpButton();
    EXPECT_TRUE(Ready());
    EXPECT_TRUE(ras.hungUp.empty());
    EXPECT_TRUE(TempGone());

    connector.ConnectItem(1);  // "인터넷" has no entry now
    EXPECT_EQ(view.messages.back().text, "전화접속 네트웩킹설정에 문제가있읍니다.");
    EXPECT_EQ(view.messages.back().icon, MessageIcon::kQuestion);
    EXPECT_EQ(ras.dialed.size(), 2u);
    EXPECT_FALSE(State().idle);
    connector.OnHangUpButton();
    EXPECT_TRUE(Ready());
}

TEST_F(DialEngineTest, AnErrorReportShowsTheRasTextHangsUpAndReturnsToReady) {
    connector.ConnectItem(2);
    Report({0, 2});
    connector.OnRasDialEvent(3, 678);
    EXPECT_EQ(view.messages.at(0).text, "error 678");
    EXPECT_EQ(ras.hungUp, (std::vector<ConnectionHandle>{42}));
    EXPECT_TRUE(view.lamps.empty());
    EXPECT_TRUE(Ready());
    EXPECT_TRUE(TempGone());
    EXPECT_EQ(State().connection, 0u);

    connector.ConnectItem(2);
    connector.OnRasDialEvent(kStateDisconnected, 20000);
    EXPECT_EQ(view.messages.at(1).text, "Undefined RAS Dial Error.");
    EXPECT_TRUE(Ready());
}

TEST_F(DialEngineTest, ADisconnectOrTheHangUpButtonResetsSilentlyAndLateReportsAreIgnored) {
    connector.ConnectItem(2);
    Report({0, kStateConnected, kStateDisconnected});
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.lamps.empty());
    EXPECT_TRUE(Ready());
    EXPECT_TRUE(TempGone());
    EXPECT_EQ(ras.hungUp.size(), 1u);

    connector.OnHangUpButton();  // nothing under way
    EXPECT_EQ(ras.hungUp.size(), 1u);

    ras.nextConnection = 43;
    connector.ConnectItem(2);
    Report({0});
    connector.OnHangUpButton();
    EXPECT_EQ(ras.hungUp.back(), 43u);
    EXPECT_TRUE(Ready());
    Report({2, kStateConnected});
    EXPECT_TRUE(view.lamps.empty());
    EXPECT_EQ(view.updatersStarted, 1);
}

TEST_F(DialEngineTest, TheConnectButtonDialsTheReservedItemOnlyWhenOneIsReserved) {
    connector.State().currentItem = "게임방";
    connector.OnConnectButton();
    EXPECT_TRUE(ras.dialed.empty());

    connector.State().autoItem = true;
    connector.OnConnectButton();
    EXPECT_EQ(ras.dialed, (std::vector<std::string>{"게임방"}));
}

TEST_F(DialEngineTest, AFileItemAsksForItsProgramAndLaterItemsDoNot) {
    view.choosesProgram = false;
    connector.ConnectItem(3);
    EXPECT_EQ(view.programChoices, (std::vector<std::string>{"자료실"}));
    EXPECT_TRUE(ras.dialed.empty());

    connector.OnHangUpButton();
    connector.ConnectItem(2);
    EXPECT_EQ(view.programChoices.size(), 1u);
    EXPECT_EQ(ras.dialed, (std::vector<std::string>{"게임방"}));

    connector.HangUpOnQuit();
    EXPECT_EQ(ras.hungUp, (std::vector<ConnectionHandle>{42}));
}

} // namespace
} // namespace dialer
