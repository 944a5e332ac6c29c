#include "gateway_address.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace gateway {
namespace {

// Answers like today's resolvers: known names, dotted addresses, and a bare
// number taken as an address of its own ("192" is 0.0.0.192).
class FakeResolver : public net::NameResolver {
public:
    std::map<std::string, net::Ipv4Address, std::less<>> names{{"game.example", {203, 0, 113, 5}}};
    std::vector<std::string> asked;

    std::optional<net::Ipv4Address> Resolve(std::string_view host) override {
        asked.emplace_back(host);
        if (auto found = names.find(host); found != names.end()) return found->second;
        if (!host.empty() && host.find_first_not_of("0123456789") == std::string_view::npos) {
            unsigned long value = std::stoul(std::string(host));
            return net::Ipv4Address{static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                                    static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
        }
        return std::nullopt;
    }
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
