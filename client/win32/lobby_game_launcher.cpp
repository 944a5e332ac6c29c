#include "lobby_game_launcher.h"

#include "config_file.h"
#include "gateway_launcher.h"
#include "lobby_launch.h"
#include "program_path.h"
#include "winsock_name_resolver.h"

#include <winsock2.h>

#include <string>

namespace {

constexpr int kStarCraft = 1;

std::string GatewayText() {
    // The name service needs WinSock of its own: the chat connection may be gone.
    WSADATA data;
    bool started = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    win::WinsockNameResolver resolver;
    auto lines = config::ReadLinePieces(win::ProgramFile("config/position.ini"));
    std::string text = lines ? lobby::LobbyGatewayText(*lines, resolver) : std::string();
    if (started) WSACleanup();
    return text;
}

} // namespace

lobby::LaunchResult LobbyGameLauncher::Launch(int kind, std::string_view, std::string_view) {
    if (kind != kStarCraft) return lobby::LaunchResult::kStayInRoom;
    auto outcome = win::LaunchWithGateway(owner_, GatewayText, lobby::kLobbyLaunchTexts, MB_ICONEXCLAMATION);
    bool told = outcome == gateway::LaunchOutcome::kKeyCreateFailed || outcome == gateway::LaunchOutcome::kNotInstalled;
    return told ? lobby::LaunchResult::kLeaveRoom : lobby::LaunchResult::kStayInRoom;
}
