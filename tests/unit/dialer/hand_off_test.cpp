#include "dialer/connector.h"
#include "dialer/dial_progress.h"
#include "dialer/hand_off_poll.h"
#include "dialer/item_launch.h"
#include "dialer/url_file.h"
#include "tests/unit/dialer/fake_ras.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

namespace dialer {
namespace {

using test_support::FileBytes;

const std::string kZeros(10, '\0');

TEST(StatusDecisionTest, EachWordAndAnEndedUpdaterDecideTheTick) {
    EXPECT_EQ(DecideOnStatus(std::nullopt, false), StatusDecision::kLaunch);
    EXPECT_EQ(DecideOnStatus("", false), StatusDecision::kLaunch);
    EXPECT_EQ(DecideOnStatus(kZeros, false), StatusDecision::kWait);
    EXPECT_EQ(DecideOnStatus(kZeros, true), StatusDecision::kLaunch);
    EXPECT_EQ(DecideOnStatus(std::string("YES\0\0\0\0\0\0\0", 10), false), StatusDecision::kGrantRestart);
    EXPECT_EQ(DecideOnStatus("UPDATE\r\n", true), StatusDecision::kReloadSkin);
    EXPECT_EQ(DecideOnStatus("NO", false), StatusDecision::kLaunch);
    EXPECT_EQ(DecideOnStatus("\n", false), StatusDecision::kLaunch);
}

TEST(BrowserCommandTest, OnlyANetscapeCommandLosesItsPlaceholder) {
    EXPECT_EQ(BrowserCommand("C:\\NETSCAPE\\netscape.exe -h \"%1\"", "http://a/"), "C:\\NETSCAPE\\netscape.exe -h  http://a/");
    EXPECT_EQ(BrowserCommand("C:\\Netscape\\netscape.exe \"%1\"", "http://a/"), "C:\\Netscape\\netscape.exe \"%1\" http://a/");
    EXPECT_EQ(BrowserCommand("%NETSCAPE", "x"), " x");
}

class HandOffTest : public testing::ConnectorFixture {
protected:
    HandOffTest() {
        Write("EndTransfer.ini", kZeros);
        Write("Receive.ini", kZeros);
        ConnectorState& state = connector.State();
        state.launchKind = LaunchKind::kGame;
        state.itemProgram = "Client.exe";
        state.clientProgram = "\"C:\\Game\\Other.exe\" -x";
        state.connectActive = true;
    }
};

TEST_F(HandOffTest, TheConnectorWaitsForTheWordThenReloadsItsSkinAndLaunches) {
    view.startable = {"C:\\Lumanet\\Client.exe"};
    EXPECT_EQ(connector.PollHandOff(false), HandOffStep::kWait);
    EXPECT_TRUE(view.started.empty());

    Write("EndTransfer.ini", "UPDATE");
    EXPECT_EQ(connector.PollHandOff(false), HandOffStep::kDone);
    EXPECT_EQ(view.skins.size(), 1u);
    EXPECT_EQ(view.lampOrder, (std::vector<int>{kLampLaunched}));
    EXPECT_EQ(view.started, (std::vector<std::string>{"C:\\Lumanet\\Client.exe|"}));
    EXPECT_EQ(view.minimized, 1);
    EXPECT_EQ(FileBytes(dir / "config/EndTransfer.ini"), kZeros);

    connector.State().connectActive = false;  // hung up while the updater worked
    Write("EndTransfer.ini", "NO");
    EXPECT_EQ(connector.PollHandOff(false), HandOffStep::kDone);
    EXPECT_EQ(view.started.size(), 1u);
}

TEST_F(HandOffTest, ARestartIsGrantedAndAGrantThatCannotBeWrittenEndsInTheLaunch) {
    Write("EndTransfer.ini", "YES");
    EXPECT_EQ(connector.PollHandOff(false), HandOffStep::kClose);
    EXPECT_EQ(FileBytes(dir / "config/Receive.ini"), std::string("YES\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(FileBytes(dir / "config/EndTransfer.ini"), kZeros);
    EXPECT_TRUE(view.started.empty());

    std::filesystem::remove(dir / "config/Receive.ini");
    std::filesystem::create_directory(dir / "config/Receive.ini");
    Write("EndTransfer.ini", "YES");
    view.startable = {connector.State().clientProgram};
    int ticks = 1;
    while (connector.PollHandOff(false) == HandOffStep::kWait && ticks < 100) ++ticks;
    EXPECT_EQ(ticks, kGrantAttempts);
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.started.size(), 2u);  // the item's program, then the client program
    EXPECT_EQ(FileBytes(dir / "config/EndTransfer.ini"), kZeros);
}

TEST_F(HandOffTest, AnInternetItemFallsFromItsProgramToTheAddressToTheRegisteredBrowser) {
    ConnectorState& state = connector.State();
    state.launchKind = LaunchKind::kInternet;
    state.itemProgram.clear();
    connector.LaunchItemProgram();
    EXPECT_EQ(view.opened, (std::vector<std::string>{std::string(kDefaultHomePage)}));
    EXPECT_EQ(view.messages.at(0).text, "등록된 웹브라우저가 없읍니다.");
    EXPECT_EQ(view.minimized, 0);

    Write("url.ini", "http://my.example/^YES^");
    state.itemProgram = "web.exe";
    system.classes["http\\shell\\open\\command"] = "C:\\NETSCAPE\\n.exe \"%1\"";
    view.startable = {"C:\\NETSCAPE\\n.exe  http://my.example/"};
    connector.LaunchItemProgram();
    EXPECT_EQ(view.started.front(), "C:\\Lumanet\\web.exe|");
    EXPECT_EQ(view.started.back(), "C:\\NETSCAPE\\n.exe  http://my.example/|");
    EXPECT_EQ(view.minimized, 1);
}

TEST_F(HandOffTest, RegisteredAndFileItemsStartTheirOwnPrograms) {
    ConnectorState& state = connector.State();
    state.launchKind = LaunchKind::kRegisteredProgram;
    state.itemKey = "Software\\Maker\\Tool";
    connector.LaunchItemProgram();
    EXPECT_EQ(view.messages.at(0).text, "프로그램이 인스톨되지 않았습니다.");

    system.machine[state.itemKey][""] = "tool.exe /go";
    system.machine[state.itemKey]["path"] = "C:\\Tool";
    view.startable = {"tool.exe /go", state.clientProgram};
    connector.LaunchItemProgram();
    EXPECT_EQ(view.started.back(), "tool.exe /go|C:\\Tool");

    state.itemKey = "file";
    connector.LaunchItemProgram();
    EXPECT_EQ(view.started.back(), state.clientProgram + "|");
    EXPECT_EQ(view.minimized, 2);
}

} // namespace
} // namespace dialer
