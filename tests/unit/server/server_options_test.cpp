#include "server/server_options.h"

#include <gtest/gtest.h>

namespace lobby_server {
namespace {

TEST(ServerOptions, EveryOption) {
    auto set = std::get<ServerOptions>(ParseOptions(
        {"--port", "0", "--bind", "127.0.0.1", "--idle-timeout", "3", "--max-connections", "600"}));
    EXPECT_EQ(set.port, 0);
    EXPECT_EQ(set.bind, "127.0.0.1");
    EXPECT_EQ(set.idleTimeoutSeconds, 3u);
    EXPECT_EQ(set.maxConnections, 600u);
}

TEST(ServerOptions, WrongOptionsAreNamed) {
    EXPECT_EQ(std::get<std::string>(ParseOptions({"--port", "65536"})), "bad value for --port: 65536");
    EXPECT_EQ(std::get<std::string>(ParseOptions({"--idle-timeout", "0"})), "bad value for --idle-timeout: 0");
    EXPECT_EQ(std::get<std::string>(ParseOptions({"--port"})), "--port needs a value");
    EXPECT_EQ(std::get<std::string>(ParseOptions({"--verbose"})), "unknown option --verbose");
}

} // namespace
} // namespace lobby_server
