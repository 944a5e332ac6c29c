#include "client/win32/lobby_game_launcher.h"

#include "common/config_file.h"
#include "client/games/game_records.h"
#include "client/win32/game_selection_dialog.h"
#include "common/win32/gateway_launcher.h"
#include "client/games/lobby_launch.h"
#include "common/win32/owned_windows_hold.h"
#include "common/win32/program_path.h"
#include "client/win32/registered_game_launch.h"
#include "common/win32/winsock_name_resolver.h"
#include "common/win32/winsock_use.h"

#include <string>

namespace {

std::string GatewayText() {
    // The name service needs WinSock of its own: the chat connection may be gone.
    win::WinsockUse winsock;
    win::WinsockNameResolver resolver;
    auto lines = config::ReadLinePieces(win::ProgramFile("config/position.ini"));
    return lines ? lobby::LobbyGatewayText(*lines, resolver) : std::string();
}

} // namespace

lobby::LaunchResult LobbyGameLauncher::Launch(lobby::GameKind kind, std::string_view, std::string_view hostAddress,
                                              bool host) {
    // The room window waits while the launch's boxes and dialogs are open.
    win::OwnedWindowsHold hold(owner_);
    if (kind == lobby::kStarCraft) return LaunchStarCraft();
    if (kind == lobby::kDirectPlayGame) {
        directPlay_.Launch(host);
    } else {
        ChooseAndLaunchRegisteredGame(hostAddress);
    }
    return lobby::LaunchResult::kStayInRoom;
}

lobby::LaunchResult LobbyGameLauncher::LaunchStarCraft() {
    auto outcome = win::LaunchWithGateway(owner_, GatewayText, lobby::kLobbyLaunchTexts, MB_ICONEXCLAMATION);
    bool told = outcome == gateway::LaunchOutcome::kKeyCreateFailed || outcome == gateway::LaunchOutcome::kNotInstalled;
    return told ? lobby::LaunchResult::kLeaveRoom : lobby::LaunchResult::kStayInRoom;
}

void LobbyGameLauncher::ChooseAndLaunchRegisteredGame(std::string_view hostAddress) {
    GameSelectionDialog selection{std::string(hostAddress)};
    // A row never chosen starts nothing.
    if (selection.RunModal(owner_) != IDOK || selection.SelectedRow() < 0) return;
    auto record = lobby::GameRecordAtRow(win::ProgramFile("config/game.ini"), selection.SelectedRow());
    if (record) LaunchRegisteredGame(owner_, *record);
}
