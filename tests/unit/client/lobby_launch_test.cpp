#include "client/games/lobby_launch.h"

#include "tests/unit/support/fake_resolver.h"

#include <gtest/gtest.h>


namespace {

class KnownNames : public test_support::FakeResolver {
public:
    KnownNames() : test_support::FakeResolver({{"game.example", {203, 0, 113, 5}}}) {}
};

TEST(LobbyGateway, ResolvedHostGivesItsAddressAndAnUnknownOneIsKeptAsWritten) {
    KnownNames resolver;
    EXPECT_EQ(lobby::LobbyGatewayText({"[GAMEADDR] game.example"}, resolver), "203.0.113.5");
    EXPECT_EQ(lobby::LobbyGatewayText({"[GAMEADDR] nowhere.example"}, resolver), "nowhere.example");
    // No four-number form: the second word alone is the host.
    EXPECT_EQ(lobby::LobbyGatewayText({"[GAMEADDR] 192 168 0 1"}, resolver), "0.0.0.192");
    EXPECT_EQ(resolver.asked, (std::vector<std::string>{"game.example", "nowhere.example", "192"}));
}

TEST(LobbyGateway, LastTaggedLineCountsAndOtherLinesAreNot) {
    KnownNames resolver;
    EXPECT_EQ(lobby::LobbyGatewayText({"[GAMEADDR] first.example", "[CHATADDR] chat 7000", "  [GAMEADDR] game.example",
                                       "[GAMEADDR]x other.example", "[gameaddr] small.example"},
                                      resolver),
              "203.0.113.5");
    EXPECT_EQ(lobby::LobbyGatewayText({}, resolver), "");
    EXPECT_EQ(lobby::LobbyGatewayText({"[CHATADDR] chat 7000"}, resolver), "");
}

TEST(LobbyGateway, HostWordMissingOrTooLongForItsBufferGivesNoGateway) {
    KnownNames resolver;
    std::string fits(lobby::kMaxGatewayHostBytes, 'h');
    EXPECT_EQ(lobby::LobbyGatewayText({"[GAMEADDR] " + fits}, resolver), fits);
    EXPECT_EQ(lobby::LobbyGatewayText({"[GAMEADDR] game.example", "[GAMEADDR] " + fits + "h"}, resolver), "");
    EXPECT_EQ(lobby::LobbyGatewayText({"[GAMEADDR] game.example", "[GAMEADDR]"}, resolver), "");
}

TEST(InternetEntry, FirstInternetLineGivesItsCommand) {
    EXPECT_EQ(lobby::InternetCommand({"게임방^game^접속^Client.exe", "인터넷^internet^웹^iexplore.exe",
                                      "둘째^internet^웹^other.exe"}),
              "iexplore.exe");
    EXPECT_EQ(lobby::InternetCommand({"x^Internet^y^upper.exe", "x^internet ^y^blank.exe"}), std::nullopt);
    EXPECT_EQ(lobby::InternetCommand({}), std::nullopt);
    // The first internet line decides, even when it names nothing to start.
    EXPECT_EQ(lobby::InternetCommand({"x^internet^y", "z^internet^w^later.exe"}), std::nullopt);
}

} // namespace
