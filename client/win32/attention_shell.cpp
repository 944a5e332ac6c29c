#include "client/win32/attention_shell.h"

#include "common/win32/program_path.h"

#include <mmsystem.h>

bool WindowAttention::LobbyInForeground() const {
    HWND front = GetForegroundWindow();
    DWORD process = 0;
    if (front) GetWindowThreadProcessId(front, &process);
    return process == GetCurrentProcessId();
}

void WindowAttention::Flash() {
    FLASHWINFO flash{sizeof flash, lobby_, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

void WindowAttention::Play(lobby::Sound sound) {
    auto file = win::ProgramFile(sound == lobby::Sound::kGame ? lobby::kGameSoundFile : lobby::kMessageSoundFile);
    PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}
