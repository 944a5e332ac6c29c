#include "dialer/connector.h"
#include "tests/unit/dialer/fake_ras.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dialer {
namespace {

using testing::FakeRas;
using testing::FakeSystem;
using testing::RecordingView;

constexpr net::Ipv4Address kDns{10, 1, 2, 3};
constexpr net::Ipv4Address kDnsAlt{10, 1, 2, 4};

class PhonebookSetupTest : public ::testing::Test {
protected:
    PhonebookSetupTest() {
        std::filesystem::create_directories(dir / "config");
        state.dnsPrimary = kDns;
        state.dnsSecondary = kDnsAlt;
    }
    void WriteItems(const std::string& text) { std::ofstream(dir / "config/filelist.ini", std::ios::binary) << text; }

    test_support::ScratchDirectory dir;
    ConnectorFiles files{dir.Path(), "C:\\긴 프로그램 폴더"};
    ConnectorState state;
    FakeRas ras;
    FakeSystem system;
    RecordingView view;
    PhonebookSetup setup{files, state, ras, system, view};
};

TEST_F(PhonebookSetupTest, CreatesTheEntryWithTheFirstDeviceAndTheItemsScript) {
    ras.devices = {{"isdn", "Card"}, {"modem", "Modem"}};
    ASSERT_TRUE(setup.EnsureEntry("게임방"));
    ASSERT_TRUE(setup.CreateEntry("게임방"));
    const PhonebookEntry& entry = ras.entries.at("게임방");
    EXPECT_EQ(entry.options, 0x31Cu);
    EXPECT_EQ(entry.countryId, 82u);
    EXPECT_EQ(entry.countryCode, 0u);
    EXPECT_EQ(entry.areaCode, "02");
    EXPECT_EQ(entry.localPhoneNumber, "01410");
    EXPECT_EQ(entry.dns, kDns);
    EXPECT_EQ(entry.dnsAlternate, kDnsAlt);
    EXPECT_EQ(entry.netProtocols, 4u);
    EXPECT_EQ(entry.framingProtocol, 1u);
    EXPECT_EQ(entry.script, "C:\\긴 프로그램 폴더\\script\\게임방.scp");
    EXPECT_EQ(entry.deviceType, "isdn");
    EXPECT_EQ(entry.deviceName, "Card");

    ras.devices.clear();
    EXPECT_FALSE(setup.CreateEntry("other"));
}

TEST_F(PhonebookSetupTest, OnNtAnEntryInThePhonebookIsKeptWithItsNumber) {
    ASSERT_TRUE(setup.CreateEntry("게임방"));
    setup.SetEntryNumber("게임방", "9,01411");
    ras.calls.clear();
    EXPECT_FALSE(setup.EnsureEntry("게임방"));
    EXPECT_TRUE(ras.calls.empty());
    EXPECT_EQ(ras.entries.at("게임방").localPhoneNumber, "9,01411");
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(PhonebookSetupTest, OtherNameServersOrAMovedScriptRecreateTheEntryKeepingNumberAndModem) {
    ras.devices = {{"modem", "Old Modem"}};
    ASSERT_TRUE(setup.CreateEntry("게임방"));
    setup.SetEntryNumber("게임방", "01411");
    ras.devices = {{"modem", "New Modem"}};
    state.dnsPrimary = {10, 9, 9, 9};
    EXPECT_FALSE(setup.EnsureEntry("게임방"));
    PhonebookEntry entry = ras.entries.at("게임방");
    EXPECT_EQ(entry.dns, (net::Ipv4Address{10, 9, 9, 9}));
    EXPECT_EQ(entry.localPhoneNumber, "01411");
    EXPECT_EQ(entry.areaCode, "02");
    EXPECT_EQ(entry.deviceName, "Old Modem");
    EXPECT_EQ(ras.calls.back(), "set 게임방");

    ras.entries.at("게임방").script = "D:\\old\\script\\게임방.scp";
    ras.calls.clear();
    setup.EnsureEntry("게임방");
    EXPECT_EQ(ras.calls, (std::vector<std::string>{"delete 게임방", "set 게임방"}));
    EXPECT_EQ(ras.entries.at("게임방").script, files.ScriptPath("게임방"));
}

TEST_F(PhonebookSetupTest, AFailedRecreationKeepsTheOldEntryAndSaysSo) {
    ASSERT_TRUE(setup.CreateEntry("게임방"));
    PhonebookEntry old = ras.entries.at("게임방");
    state.dnsPrimary = {1, 1, 1, 1};
    ras.failingSets = 1;
    setup.EnsureEntry("게임방");
    EXPECT_EQ(ras.entries.at("게임방"), old);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "IP변경에 실패하였읍니다.");
    EXPECT_EQ(view.messages[0].icon, MessageIcon::kNone);
}

TEST_F(PhonebookSetupTest, OnWindows9xTheProfileDecidesAndItsScriptIsRepaired) {
    const std::string profile = "RemoteAccess\\Profile\\게임방";
    system.windows9x = true;
    EXPECT_TRUE(setup.EnsureEntry("게임방"));  // no profile: create

    ASSERT_TRUE(setup.CreateEntry("게임방"));
    ras.entries.at("게임방").script.clear();  // 9x keeps the script in the profile only
    system.user[profile]["PPPScript"] = {3, std::string("D:\\old.scp\0", 11)};
    ras.calls.clear();
    EXPECT_FALSE(setup.EnsureEntry("게임방"));
    EXPECT_TRUE(ras.calls.empty());
    RegistryValue repaired = system.user[profile]["PPPScript"];
    EXPECT_EQ(repaired.type, 3u);
    EXPECT_EQ(repaired.data, files.ScriptPath("게임방") + '\0');
}

TEST_F(PhonebookSetupTest, NumberChoicesMapBothWays) {
    EXPECT_EQ(NumberForChoice(1, "9"), "01410");
    EXPECT_EQ(NumberForChoice(2, "9"), "01411");
    EXPECT_EQ(NumberForChoice(3, "9"), "9,01410");
    EXPECT_EQ(NumberForChoice(4, "81"), "81,01411");
    EXPECT_FALSE(NumberForChoice(0, "9"));
    EXPECT_FALSE(NumberForChoice(5, "9"));
    for (int choice = 1; choice <= 4; ++choice) EXPECT_EQ(ChoiceOfNumber(*NumberForChoice(choice, "0")), choice);
    EXPECT_EQ(ChoiceOfNumber("0200"), 0);
    EXPECT_EQ(ChoiceOfNumber("9,0200"), 0);

    EXPECT_EQ(setup.GetNumberChoice("none"), 0);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "기존 전화번호값이 없습니다.");
    ASSERT_TRUE(setup.CreateEntry("게임방"));
    setup.SetEntryNumber("게임방", "9,01411");
    EXPECT_EQ(ras.entries.at("게임방").areaCode, "02 ");
    EXPECT_EQ(setup.GetNumberChoice("게임방"), 4);
}

TEST_F(PhonebookSetupTest, ModemsAreCountedByTypeInAnyCaseAndTheDeviceMovesForEveryItem) {
    ras.devices = {{"Modem", "A"}, {"isdn", "B"}, {"MODEM", "C"}};
    EXPECT_EQ(setup.CountModems(), 2);
    ras.devicesResult = 610;
    EXPECT_EQ(setup.CountModems(), -1);
    ras.devicesResult = kRasSuccess;

    WriteItems("하나^game\r\n둘^game\r\n셋^game\r\n");
    ASSERT_TRUE(setup.CreateEntry("하나"));
    ASSERT_TRUE(setup.CreateEntry("셋"));
    setup.SetEntryNumber("셋", "01411");
    std::ofstream(dir / "config/position.ini") << "[DNSADDR] 1 2 3 4\n";
    EXPECT_EQ(setup.GetItemDevice().device->name, "A");
    ASSERT_TRUE(setup.SetItemDevice({"MODEM", "C"}));
    EXPECT_EQ(ras.entries.at("셋").deviceName, "C");
    EXPECT_EQ(ras.entries.at("셋").localPhoneNumber, "01411");
    EXPECT_EQ(ras.entries.at("셋").dns, (net::Ipv4Address{1, 2, 3, 4}));
    EXPECT_EQ(ras.entries.at("셋").dnsAlternate, (net::Ipv4Address{}));
    EXPECT_EQ(ras.entries.count("둘"), 0u);

    ras.unreadable.insert("하나");
    EXPECT_FALSE(setup.GetItemDevice().ok);
    EXPECT_FALSE(setup.SetItemDevice({"MODEM", "A"}));
}

} // namespace
} // namespace dialer
