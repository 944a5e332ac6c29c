// lobby-server (LobbyServer.exe on Windows): the chat server of the lobby
// clients, for a PC room or a LAN. Runs until Ctrl-C or SIGTERM.
#include "server/net/console_log.h"
#include "server/net/lobby_network.h"
#include "server/server_options.h"

#include <asio.hpp>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include "common/win32/text.h"
#endif

namespace {

int RunServer(const std::vector<std::string>& arguments) {
    using namespace lobby_server;
    auto parsed = ParseOptions(arguments);
    if (auto* problem = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "lobby-server: %s\n%s", problem->c_str(), kUsage);
        return 2;
    }
    const ServerOptions& options = std::get<ServerOptions>(parsed);
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    try {
        asio::io_context io(1);
        asio::ip::tcp::endpoint endpoint(asio::ip::make_address(options.bind), options.port);
        LobbyNetwork network(io, endpoint, LobbyLimits{options.maxConnections, Millis{options.idleTimeoutSeconds} * 1000}, WriteLogLine);
        auto local = network.LocalEndpoint();
        WriteLogLine("listening on " + local.address().to_string() + ":" + std::to_string(local.port()) +
                     ", at most " + std::to_string(options.maxConnections) + " connections, idle time-out " +
                     std::to_string(options.idleTimeoutSeconds) + " s");

        asio::signal_set signals(io, SIGINT, SIGTERM);
        signals.async_wait([&](asio::error_code error, int) {
            if (error) return;
            WriteLogLine("stopping");
            network.Stop();
        });
        io.run();
        WriteLogLine("stopped");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lobby-server: cannot serve on %s:%u: %s\n", options.bind.c_str(),
                     static_cast<unsigned>(options.port), error.what());
        return 1;
    }
    return 0;
}

} // namespace

#ifdef _WIN32
// The Windows programs are built Unicode: the arguments arrive as UTF-16.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(win::Narrow(argv[i]));
    return RunServer(arguments);
}
#else
int main(int argc, char** argv) { return RunServer(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
