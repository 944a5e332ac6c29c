#include "common/win32/redraw_pause.h"

namespace win {

void RedrawPause::Begin(HWND window) {
    if (window_) return;
    window_ = window;
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
}

void RedrawPause::End() {
    if (!window_) return;
    if (IsWindow(window_)) {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    window_ = nullptr;
}

} // namespace win
