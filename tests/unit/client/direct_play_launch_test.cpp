#include "client/games/direct_play_launch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

using dplay::Guid;

constexpr Guid kModemProvider{0x11111111, 1, 1, {1, 1, 1, 1, 1, 1, 1, 1}};
constexpr Guid kTcpProvider{0x22222222, 2, 2, {2, 2, 2, 2, 2, 2, 2, 2}};
constexpr Guid kGame{0x33333333, 3, 3, {3, 3, 3, 3, 3, 3, 3, 3}};
constexpr Guid kOtherType{0x44444444, 4, 4, {4, 4, 4, 4, 4, 4, 4, 4}};

// A lobby object whose providers report given address types; records what
// it was asked to build and run.
class FakeLobby : public dplay::DirectPlayLobby {
public:
    std::map<std::uint32_t, std::vector<Guid>> addressTypes;  // by provider data1
    std::map<std::uint32_t, dplay::Result> enumFailures;
    std::vector<Guid> enumerated;
    dplay::Result sizeAnswer = dplay::kBufferTooSmall;
    dplay::Result buildAnswer = dplay::kOk;
    dplay::Result runAnswer = dplay::kOk;
    std::vector<dplay::AddressElement> builtFrom;
    std::vector<dplay::ConnectionSettings> runs;

    dplay::Result EnumLocalApplications(std::vector<dplay::NamedGuid>&) override { return dplay::kOk; }
    dplay::Result EnumServiceProviders(std::vector<dplay::NamedGuid>&) override { return dplay::kOk; }
    dplay::Result EnumAddressTypes(const Guid& provider, std::vector<Guid>& types) override {
        enumerated.push_back(provider);
        if (auto failure = enumFailures.find(provider.data1); failure != enumFailures.end()) return failure->second;
        types = addressTypes[provider.data1];
        return dplay::kOk;
    }
    // The address is the elements' data laid end to end.
    dplay::Result CreateCompoundAddress(const std::vector<dplay::AddressElement>& elements, void* buffer,
                                        std::uint32_t& size) override {
        builtFrom = elements;
        std::vector<std::uint8_t> bytes;
        for (const auto& element : elements) bytes.insert(bytes.end(), element.data.begin(), element.data.end());
        if (!buffer) {
            size = static_cast<std::uint32_t>(bytes.size());
            return sizeAnswer;
        }
        if (size < bytes.size()) return dplay::kBufferTooSmall;
        std::memcpy(buffer, bytes.data(), bytes.size());
        return buildAnswer;
    }
    dplay::Result RunApplication(const dplay::ConnectionSettings& settings) override {
        runs.push_back(settings);
        return runAnswer;
    }
};

class FakeList : public dplay::GuidList {
public:
    explicit FakeList(std::vector<std::optional<Guid>> entries) : entries_(std::move(entries)) {}
    int Count() const override { return static_cast<int>(entries_.size()); }
    std::optional<Guid> GuidAt(int index) const override { return entries_.at(static_cast<std::size_t>(index)); }
    void Select(int index) override { selected = index < Count() ? index : -1; }
    int selected = -1;

private:
    std::vector<std::optional<Guid>> entries_;
};

std::vector<std::uint8_t> Bytes(std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

TEST(ServiceProviderChoice, FirstProviderWithAnInternetAddressStaysSelected) {
    FakeLobby lobby;
    lobby.addressTypes[kModemProvider.data1] = {dplay::kAddressPhone, dplay::kAddressModem};
    lobby.addressTypes[kTcpProvider.data1] = {dplay::kAddressInet};
    FakeList providers({kModemProvider, kTcpProvider, kModemProvider});
    EXPECT_EQ(dplay::ChooseServiceProvider(lobby, providers), dplay::kOk);
    EXPECT_EQ(providers.selected, 1);
    EXPECT_EQ(lobby.enumerated, (std::vector<Guid>{kModemProvider, kTcpProvider}));
}

TEST(ServiceProviderChoice, NoneOfferingAnInternetAddressLeavesNoSelection) {
    FakeLobby lobby;
    lobby.addressTypes[kModemProvider.data1] = {dplay::kAddressModem};
    FakeList providers({kModemProvider, std::nullopt});
    EXPECT_EQ(dplay::ChooseServiceProvider(lobby, providers), dplay::kOk);
    EXPECT_EQ(providers.selected, -1);
    // The entry without its GUID is not asked about.
    EXPECT_EQ(lobby.enumerated, (std::vector<Guid>{kModemProvider}));

    FakeList empty({});
    EXPECT_EQ(dplay::ChooseServiceProvider(lobby, empty), dplay::kOk);
    EXPECT_EQ(empty.selected, -1);
}

TEST(ServiceProviderChoice, EnumerationFailureStopsAtTheEntryExamined) {
    FakeLobby lobby;
    lobby.enumFailures[kModemProvider.data1] = dplay::kOutOfMemory;
    FakeList providers({kTcpProvider, kModemProvider});
    EXPECT_EQ(dplay::ChooseServiceProvider(lobby, providers), dplay::kOutOfMemory);
    EXPECT_EQ(providers.selected, 1);
}

TEST(ServiceProviderChoice, InternetTypeBeyondTheTenthIsNotSeen) {
    FakeLobby lobby;
    std::vector<Guid> types(dplay::kMaxAddressTypes, kOtherType);
    types.push_back(dplay::kAddressInet);
    lobby.addressTypes[kTcpProvider.data1] = types;
    FakeList providers({kTcpProvider});
    dplay::ChooseServiceProvider(lobby, providers);
    EXPECT_EQ(providers.selected, -1);
}

TEST(AddressElements, ProviderFirstThenEachUsedTypeInOrder) {
    auto elements = dplay::AddressElements(kTcpProvider,
                                           {dplay::kAddressModem, kOtherType, dplay::kAddressInet, dplay::kAddressPhone},
                                           "10.0.0.7");
    ASSERT_TRUE(elements);
    ASSERT_EQ(elements->size(), 4u);
    EXPECT_EQ((*elements)[0].type, dplay::kAddressServiceProvider);
    ASSERT_EQ((*elements)[0].data.size(), dplay::kGuidSize);
    Guid copied;
    std::memcpy(&copied, (*elements)[0].data.data(), dplay::kGuidSize);
    EXPECT_EQ(copied, kTcpProvider);
    EXPECT_EQ((*elements)[1], (dplay::AddressElement{dplay::kAddressModem, Bytes("")}));
    EXPECT_EQ((*elements)[2], (dplay::AddressElement{dplay::kAddressInet, Bytes("10.0.0.7")}));
    EXPECT_EQ((*elements)[3], (dplay::AddressElement{dplay::kAddressPhone, Bytes("")}));
}

TEST(AddressElements, EmptyAddressStillGivesTheTerminatorAndLongOnesAreCut) {
    auto empty = dplay::AddressElements(kTcpProvider, {dplay::kAddressInet}, "");
    ASSERT_TRUE(empty);
    EXPECT_EQ((*empty)[1].data, std::vector<std::uint8_t>{0});

    auto cut = dplay::AddressElements(kTcpProvider, {dplay::kAddressInet}, std::string(300, '1'));
    ASSERT_TRUE(cut);
    EXPECT_EQ((*cut)[1].data.size(), dplay::kFieldMaxBytes + 1);
    EXPECT_EQ((*cut)[1].data.back(), 0);
}

TEST(AddressElements, NoUsedTypeOrOnlyBeyondTheTenthFails) {
    EXPECT_FALSE(dplay::AddressElements(kTcpProvider, {}, "1.2.3.4"));
    EXPECT_FALSE(dplay::AddressElements(kTcpProvider, {kOtherType, kOtherType}, "1.2.3.4"));
    std::vector<Guid> types(dplay::kMaxAddressTypes, kOtherType);
    types.push_back(dplay::kAddressInet);
    EXPECT_FALSE(dplay::AddressElements(kTcpProvider, types, "1.2.3.4"));
}

TEST(LobbyAddress, BuiltIntoABlockOfTheQueriedSize) {
    FakeLobby lobby;
    lobby.addressTypes[kTcpProvider.data1] = {dplay::kAddressInet};
    std::vector<std::uint8_t> address;
    ASSERT_EQ(dplay::BuildLobbyAddress(lobby, kTcpProvider, "1.2.3.4", address), dplay::kOk);
    EXPECT_EQ(address.size(), dplay::kGuidSize + 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(address.data()) + dplay::kGuidSize), "1.2.3.4");
}

TEST(LobbyAddress, FailuresOfEachStepAreReturned) {
    FakeLobby lobby;
    std::vector<std::uint8_t> address;
    lobby.addressTypes[kTcpProvider.data1] = {kOtherType};
    EXPECT_EQ(dplay::BuildLobbyAddress(lobby, kTcpProvider, "1.2.3.4", address), dplay::kFail);

    lobby.addressTypes[kTcpProvider.data1] = {dplay::kAddressInet};
    lobby.enumFailures[kTcpProvider.data1] = dplay::kOutOfMemory;
    EXPECT_EQ(dplay::BuildLobbyAddress(lobby, kTcpProvider, "1.2.3.4", address), dplay::kOutOfMemory);
    lobby.enumFailures.clear();

    constexpr dplay::Result kInvalidParams = static_cast<dplay::Result>(0x80070057u);
    lobby.sizeAnswer = kInvalidParams;
    EXPECT_EQ(dplay::BuildLobbyAddress(lobby, kTcpProvider, "1.2.3.4", address), kInvalidParams);
    // A size query that claims success made no address.
    lobby.sizeAnswer = dplay::kOk;
    EXPECT_EQ(dplay::BuildLobbyAddress(lobby, kTcpProvider, "1.2.3.4", address), dplay::kFail);

    lobby.sizeAnswer = dplay::kBufferTooSmall;
    lobby.buildAnswer = kInvalidParams;
    EXPECT_EQ(dplay::BuildLobbyAddress(lobby, kTcpProvider, "1.2.3.4", address), kInvalidParams);
    EXPECT_TRUE(address.empty());
}

class DirectPlayLaunch : public ::testing::Test {
protected:
    DirectPlayLaunch() { lobby.addressTypes[kTcpProvider.data1] = {dplay::kAddressInet}; }

    dplay::LaunchFields Fields(bool host) const {
        return {kGame, kTcpProvider, "player1", "our room", "192.168.0.9", host};
    }

    FakeLobby lobby;
};

TEST_F(DirectPlayLaunch, HostCreatesTheSessionUnderTheRoomTitle) {
    ASSERT_EQ(dplay::LaunchDirectPlayGame(&lobby, Fields(true)), dplay::kOk);
    ASSERT_EQ(lobby.runs.size(), 1u);
    const auto& run = lobby.runs[0];
    EXPECT_EQ(run.flags, dplay::kCreateSession);
    EXPECT_EQ(run.sessionName, "our room");
    EXPECT_EQ(run.instance, dplay::kSessionInstance);
    EXPECT_EQ(run.application, kGame);
    EXPECT_EQ(run.serviceProvider, kTcpProvider);
    EXPECT_EQ(run.playerName, "player1");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(run.address.data()) + dplay::kGuidSize), "192.168.0.9");
}

TEST_F(DirectPlayLaunch, JoinerJoinsWithoutSessionNameAndTheSameInstance) {
    ASSERT_EQ(dplay::LaunchDirectPlayGame(&lobby, Fields(false)), dplay::kOk);
    ASSERT_EQ(lobby.runs.size(), 1u);
    EXPECT_EQ(lobby.runs[0].flags, dplay::kJoinSession);
    EXPECT_FALSE(lobby.runs[0].sessionName);
    EXPECT_EQ(lobby.runs[0].instance, dplay::kSessionInstance);
    EXPECT_EQ(dplay::LaunchStatusText(dplay::kOk), "Launch successful");
}

TEST_F(DirectPlayLaunch, NamesAreCutToTheirFieldsWithoutSplittingACharacter) {
    auto fields = Fields(true);
    fields.playerName = std::string(198, 'a') + "\xB0\xA1";
    fields.sessionName = std::string(250, 'r');
    ASSERT_EQ(dplay::LaunchDirectPlayGame(&lobby, fields), dplay::kOk);
    EXPECT_EQ(lobby.runs[0].playerName, std::string(198, 'a'));
    EXPECT_EQ(lobby.runs[0].sessionName, std::string(dplay::kFieldMaxBytes, 'r'));
}

TEST_F(DirectPlayLaunch, FailuresRunNothing) {
    auto noApplication = Fields(true);
    noApplication.application.reset();
    EXPECT_EQ(dplay::LaunchDirectPlayGame(&lobby, noApplication), dplay::kFail);
    auto noProvider = Fields(false);
    noProvider.serviceProvider.reset();
    EXPECT_EQ(dplay::LaunchDirectPlayGame(&lobby, noProvider), dplay::kFail);
    EXPECT_EQ(dplay::LaunchDirectPlayGame(nullptr, Fields(true)), dplay::kNoInterface);

    lobby.addressTypes[kTcpProvider.data1] = {dplay::kAddressServiceProvider};
    EXPECT_EQ(dplay::LaunchDirectPlayGame(&lobby, Fields(true)), dplay::kFail);
    EXPECT_TRUE(lobby.runs.empty());
    EXPECT_EQ(dplay::LaunchStatusText(dplay::kFail), "Launch failed");
}

TEST_F(DirectPlayLaunch, RunApplicationFailureIsTheResult) {
    lobby.runAnswer = static_cast<dplay::Result>(0x80004001u);
    EXPECT_EQ(dplay::LaunchDirectPlayGame(&lobby, Fields(false)), lobby.runAnswer);
}

} // namespace
