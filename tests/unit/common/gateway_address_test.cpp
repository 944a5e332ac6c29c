#include "common/gateway_address.h"

#include "tests/unit/support/fake_resolver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace gateway {
namespace {

class FakeResolver : public test_support::FakeResolver {
public:
    FakeResolver() : test_support::FakeResolver({{"game.example", {203, 0, 113, 5}}}) {}
};

std::string AddressOf(std::vector<std::string> lines) {
    FakeResolver resolver;
    return GameServerAddressFromLines(lines, resolver);
}

TEST(GameServerAddress, ResolvesAHostName) {
    EXPECT_EQ(AddressOf({"[GAMEADDR] game.example"}), "203.0.113.5");
}

TEST(GameServerAddress, FourNumbersAreAnAddressWhateverTheResolverSays) {
    FakeResolver resolver;
    EXPECT_EQ(GameServerAddressFromLines({"[GAMEADDR] 192 168 0 1"}, resolver), "192.168.0.1");
    EXPECT_TRUE(resolver.asked.empty());
    EXPECT_EQ(AddressOf({"[GAMEADDR] 10 0 0 1"}), "10.0.0.1");
}

TEST(GameServerAddress, LastTagLineWins) {
    EXPECT_EQ(AddressOf({"[GAMEADDR] game.example", "[CHATADDR] 1.2.3.4 9000", "[GAMEADDR] 10 0 0 2"}), "10.0.0.2");
    EXPECT_EQ(AddressOf({"[GAMEADDR] 10 0 0 2", "[GAMEADDR] game.example"}), "203.0.113.5");
    // A later unusable line replaces an earlier address too.
    EXPECT_EQ(AddressOf({"[GAMEADDR] game.example", "[GAMEADDR] nowhere.example"}), "");
}

TEST(GameServerAddress, TagIsMatchedAsAWholeWordWithCase) {
    EXPECT_EQ(AddressOf({"   [GAMEADDR] game.example"}), "203.0.113.5");
    EXPECT_EQ(AddressOf({"[gameaddr] game.example"}), "");
    EXPECT_EQ(AddressOf({"[GAMEADDR]game.example"}), "");
    EXPECT_EQ(AddressOf({}), "");
}

TEST(GameServerAddress, UnusableLinesGiveNoAddress) {
    EXPECT_EQ(AddressOf({"[GAMEADDR]"}), "");
    EXPECT_EQ(AddressOf({"[GAMEADDR] nowhere.example"}), "");
    EXPECT_EQ(AddressOf({"[GAMEADDR] 300 1 1 1"}), "");
    EXPECT_EQ(AddressOf({"[GAMEADDR] 1 2 3 -4"}), "");
    EXPECT_EQ(AddressOf({"[GAMEADDR] 99999999999 1 1 1"}), "");
}

TEST(GameServerAddress, FewerThanFourNumbersGoToTheNameService) {
    FakeResolver resolver;
    EXPECT_EQ(GameServerAddressFromLines({"[GAMEADDR] 192 168 0"}, resolver), "0.0.0.192");
    EXPECT_EQ(resolver.asked, std::vector<std::string>{"192"});
}

TEST(ReadGameServerAddress, ReadsTheFileOrGivesNothing) {
    auto dir = std::filesystem::temp_directory_path() / "gateway-address-test";
    std::filesystem::create_directories(dir);
    auto file = dir / "position.ini";
    std::ofstream(file, std::ios::binary) << "[CHATADDR] 127.0.0.1 9400\r\n[GAMEADDR] 192 168 0 1\r\n";

    FakeResolver resolver;
    EXPECT_EQ(ReadGameServerAddress(file, resolver), "192.168.0.1");
    EXPECT_EQ(ReadGameServerAddress(dir / "missing.ini", resolver), "");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace gateway
