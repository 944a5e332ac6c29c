#include "client/win32/registered_game_launch.h"

#include "common/win32/current_directory.h"
#include "client/games/game_registration.h"
#include "common/win32/message_box.h"
#include "common/win32/program_starter.h"
#include "common/win32/text.h"

namespace {

bool OpensForReading(const std::wstring& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

} // namespace

void LaunchRegisteredGame(HWND owner, const lobby::GameRecord& record) {
    SavedCurrentDirectory saved;
    // The game starts in its own directory.
    SetCurrentDirectoryW(win::Widen(record.directory).c_str());
    std::string command = lobby::RegisteredGameCommand(record);
    if (!OpensForReading(win::Widen(command))) {
        saved.Restore();
        win::ShowMessage(owner, lobby::kGameMissing, win::kNoticeCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    win::StartCommand(command, SW_SHOWDEFAULT);
}
