#include "client/win32/direct_play_games.h"

#include "resource.h"
#include "common/win32/text.h"

namespace {

std::string FieldText(HWND window, int id) { return win::GetWindowTextCp949(GetDlgItem(window, id)); }

void SetStatus(HWND window, std::string_view text) {
    win::SetWindowTextCp949(GetDlgItem(window, IDC_LAUNCH_STATUS), text);
}

} // namespace

DirectPlayGames::DirectPlayGames(HWND window)
    : window_(window), applications_(GetDlgItem(window, IDC_APPLICATIONS)),
      providers_(GetDlgItem(window, IDC_PROVIDERS)) {}

dplay::Result DirectPlayGames::CreateLobby() {
    dplay::Result result = dplay::kOk;
    auto lobby = DirectPlayLobbyObject::Create(result);
    if (!lobby) return result;
    std::vector<dplay::NamedGuid> applications;
    lobby->EnumLocalApplications(applications);
    for (const auto& application : applications) applications_.Add(application.name, application.guid);
    std::vector<dplay::NamedGuid> providers;
    lobby->EnumServiceProviders(providers);
    for (const auto& provider : providers) providers_.Add(provider.name, provider.guid);
    applications_.Select(0);
    providers_.Select(0);
    result = dplay::ChooseServiceProvider(*lobby, providers_);
    lobby_ = std::move(lobby);
    return result;
}

void DirectPlayGames::ReleaseLobby() {
    applications_.Clear();
    providers_.Clear();
    lobby_.reset();
}

void DirectPlayGames::Renew() {
    ReleaseLobby();
    CreateLobby();
}

void DirectPlayGames::Launch(bool host) {
    SetStatus(window_, dplay::kLaunching);
    dplay::LaunchFields fields{applications_.SelectedGuid(),
                               providers_.SelectedGuid(),
                               FieldText(window_, IDC_USER_ID_HIDDEN),
                               FieldText(window_, IDC_ROOM_TITLE_HIDDEN),
                               FieldText(window_, IDC_GAME_ADDRESS),
                               host};
    SetStatus(window_, dplay::LaunchStatusText(dplay::LaunchDirectPlayGame(lobby_.get(), fields)));
}
