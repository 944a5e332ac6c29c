#include "dialer/connector.h"
#include "dialer/setup_file.h"
#include "tests/unit/dialer/fake_ras.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

namespace dialer {
namespace {

using testing::FakeRas;
using testing::FakeSystem;
using testing::RecordingView;
using test_support::FileBytes;

class ConnectorTest : public testing::ConnectorFixture {
protected:
    ConnectorTest() {
        Write("filelist.ini", "인터넷^internet^웹^iexplore.exe\r\n게임방^game^게임^Client.exe\r\n");
        Write("position.ini", "[DNSADDR] 10 0 0 1\r\n[DNSSUBADDR] 10 0 0 2\r\n");
        Write("EndTransfer.ini", "UPDATE");
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : view.messages) texts.push_back(message.text);
        return texts;
    }
};

TEST_F(ConnectorTest, AStartOnNtPreparesEveryEntryAndShowsTheWindow) {
    ras.connections = {7};
    ASSERT_TRUE(WriteSetup(dir / "config/setup.ini", {"0123", true, "게임방"}));
    EXPECT_EQ(connector.StartUp(), StartOutcome::kShowWindow);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(ras.entries.size(), 2u);
    EXPECT_EQ(ras.entries.at("인터넷").dns, (net::Ipv4Address{10, 0, 0, 1}));
    EXPECT_EQ(ras.hungUp, (std::vector<ConnectionHandle>{7}));
    const ConnectorState& state = connector.State();
    EXPECT_EQ(state.firstItem, "인터넷");
    EXPECT_EQ(state.linePrefix, "012");
    EXPECT_TRUE(state.autoItem);
    EXPECT_EQ(state.currentItem, "게임방");
    EXPECT_EQ(state.entryNames, (std::vector<std::string>{"게임방", "인터넷"}));
    EXPECT_EQ(view.skins.size(), 1u);
    EXPECT_EQ(view.prepared, 1);
    EXPECT_EQ(FileBytes(dir / "config/EndTransfer.ini"), std::string(10, '\0'));
    EXPECT_EQ(FileBytes(dir / "config/Receive.ini"), std::string(10, '\0'));
}

TEST_F(ConnectorTest, EachMissingComponentOfWindows9xEndsTheStartWithItsMessageAndHelp) {
    struct Case {
        bool tcpIp, adapter;
        const char* message;
        const char* keyword;
    };
    const Case cases[] = {
        {false, false, "다음사항을 설치하여 주십시오\n1.전화접속어댑터\n2.TCP/IP\n위사항을 반드시 설치하셔야 합니다.", "전화접속어댑터"},
        {false, true, "TCP/IP 프로토콜이 설치 되지 않았읍니다.\nTCP/IP프로토콜을 설치하여 주십시오.", "TCP/IP설정방법"},
        {true, false, "전화접속어댑터가 설치 되지 않았읍니다.\n전화접속어댑터를 설치하여 주십시오.", "전화접속어댑터"},
    };
    for (const Case& c : cases) {
        system = FakeSystem();
        system.InstallNetworking();
        if (!c.tcpIp) system.machine.erase("Enum\\Network\\MSTCP");
        if (!c.adapter) system.machine.erase("Enum\\Root\\Net\\0042");
        view = RecordingView();
        EXPECT_EQ(connector.StartUp(), StartOutcome::kEnd);
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(view.messages[0].icon, MessageIcon::kInformation);
        EXPECT_EQ(view.help, std::vector<std::string>{c.keyword});
        EXPECT_EQ(view.commands, std::vector<std::string>{"RunDll32 shell32.dll,Control_RunDLL netcpl.cpl"});
        EXPECT_TRUE(ras.entries.empty());
    }
    system = FakeSystem();
    system.InstallNetworking();
    view = RecordingView();
    EXPECT_EQ(connector.StartUp(), StartOutcome::kShowWindow);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ConnectorTest, EveryLaterExitOfTheStartHasItsMessage) {
    ras.bindable = false;
    EXPECT_EQ(connector.StartUp(), StartOutcome::kEnd);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"전화접속 구성 DLL이 잘못되었거나 존재하지 않읍니다.\r\n프로그램을 종료합니다."});
    EXPECT_EQ(view.messages[0].icon, MessageIcon::kStop);

    ras = FakeRas();
    ras.connectionsResult = 611;
    view = RecordingView();
    EXPECT_EQ(connector.StartUp(), StartOutcome::kEnd);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"error 611", "연결설정이 완료되지 않았읍니다. 프로그램을 종료합니다."}));

    ras = FakeRas();
    ras.entriesResult = 8;
    view = RecordingView();
    EXPECT_EQ(connector.StartUp(), StartOutcome::kEnd);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"시스템자원이 부족하여 프로그램을 실행시킬수 없읍니다."});

    system.InstallNetworking();
    ras = FakeRas();
    ras.entriesResult = 610;
    view = RecordingView();
    EXPECT_EQ(connector.StartUp(), StartOutcome::kEnd);
    EXPECT_EQ(MessageTexts()[0], "error 610");
    EXPECT_EQ(view.commands.back(), "RunDll32 setupx.dll,InstallhInfSection rna 2 C:\\WINDOWS\\inf\\rna.inf 전화접속네트웩킹");

    ras = FakeRas();
    ras.devices = {{"isdn", "Card"}};
    view = RecordingView();
    EXPECT_EQ(connector.StartUp(), StartOutcome::kEnd);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"모뎀이 설치 되어있지 않습니다.\n모뎀을 설치합니다."});
    EXPECT_EQ(view.commands.back(), "RunDll32 shell32.dll,Control_RunDLL modem.cpl");
    EXPECT_EQ(ras.entries.at("게임방").deviceName, "Card");  // entries take the first device all the same
}

TEST_F(ConnectorTest, AFailedCreationIsToldUnderTheItemsNameAndTheStartGoesOn) {
    system.InstallNetworking();
    system.files.clear();
    ras.failingSets = 1;
    EXPECT_EQ(connector.StartUp(), StartOutcome::kShowWindow);
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].text, "등록에 실패하였읍니다.");
    EXPECT_EQ(view.messages[0].caption, "인터넷");
    EXPECT_EQ(view.messages[1].text.rfind("전화접속 스크립트 작성도구가 설치되어있지 않습니다.", 0), 0u);
}

TEST_F(ConnectorTest, TheItemMenuOpensOnTheConnectButtonOnlyWhileThereIsAChoice) {
    ASSERT_EQ(connector.StartUp(), StartOutcome::kShowWindow);
    EXPECT_TRUE(connector.HoverOpensItemMenu(1000));
    EXPECT_TRUE(connector.HoverOpensItemMenu(0x10000 + 1000));
    EXPECT_FALSE(connector.HoverOpensItemMenu(1020));
    auto plan = connector.PrepareItemMenu();
    ASSERT_TRUE(plan && plan->show);
    EXPECT_EQ(connector.State().lastItemCommand, 32002);

    Write("filelist.ini", "게임방^game\r\n");
    plan = connector.PrepareItemMenu();
    EXPECT_FALSE(plan->show);
    EXPECT_EQ(connector.State().currentItem, "게임방");
    EXPECT_FALSE(connector.HoverOpensItemMenu(1000));

    connector.State().idle = false;
    EXPECT_FALSE(connector.PrepareItemMenu());
}

TEST_F(ConnectorTest, AChosenItemBecomesTheItemToConnectWithItsKindAndProgram) {
    Write("filelist.ini", "인터넷^internet^웹^iexplore.exe\r\n자료실^Software\\Lumanet\\Files^묻기\r\n게임방^game^게임^Client.exe\r\n");
    ASSERT_TRUE(connector.SelectItem(2).has_value());
    const ConnectorState& state = connector.State();
    EXPECT_EQ(state.currentItem, "자료실");
    EXPECT_EQ(state.launchKind, LaunchKind::kRegisteredProgram);
    EXPECT_EQ(state.itemKey, "Software\\Lumanet\\Files");
    EXPECT_EQ(state.itemProgram, "");
    ASSERT_TRUE(connector.SelectItem(3).has_value());
    EXPECT_EQ(state.launchKind, LaunchKind::kGame);
    EXPECT_EQ(state.itemProgram, "Client.exe");
    EXPECT_FALSE(connector.SelectItem(4).has_value());
    EXPECT_FALSE(connector.SelectItem(0).has_value());
    EXPECT_EQ(state.currentItem, "게임방");
}

TEST_F(ConnectorTest, ANumberChoiceGoesToTheReservedItemOrToEveryItem) {
    ASSERT_EQ(connector.StartUp(), StartOutcome::kShowWindow);
    ASSERT_TRUE(WriteSetup(dir / "config/setup.ini", {"9", true, "게임방"}));
    connector.ApplyNumberChoice(3);
    EXPECT_EQ(ras.entries.at("게임방").localPhoneNumber, "9,01410");
    EXPECT_EQ(ras.entries.at("인터넷").localPhoneNumber, "01410");
    EXPECT_EQ(connector.SettingsReferenceItem(), "게임방");

    ASSERT_TRUE(WriteSetup(dir / "config/setup.ini", {"9", false, "abc"}));
    connector.ApplyNumberChoice(2);
    EXPECT_EQ(ras.entries.at("인터넷").localPhoneNumber, "01411");
    EXPECT_EQ(ras.entries.at("게임방").localPhoneNumber, "01411");
    EXPECT_EQ(connector.SettingsReferenceItem(), "인터넷");  // a three-byte name is taken for none

    connector.ApplyNumberChoice(0);
    EXPECT_EQ(ras.entries.at("게임방").localPhoneNumber, "01411");
}

} // namespace
} // namespace dialer
