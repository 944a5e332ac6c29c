// The lobby's attention cues on Windows: the taskbar button flashes until the
// user comes back, and a sound of the program directory plays.
#pragma once

#include "client/attention.h"

#include <windows.h>

class WindowAttention : public lobby::AttentionOutput {
public:
    // lobby: the window whose taskbar button flashes.
    explicit WindowAttention(HWND lobby) : lobby_(lobby) {}

    // The lobby, its room window and its boxes all belong to this process.
    bool LobbyInForeground() const override;
    void Flash() override;
    // Asynchronous; a missing file plays nothing.
    void Play(lobby::Sound sound) override;

private:
    HWND lobby_;
};
