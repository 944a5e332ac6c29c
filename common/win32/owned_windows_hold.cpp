#include "common/win32/owned_windows_hold.h"

namespace win {
namespace {

BOOL CALLBACK Collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

} // namespace

OwnedWindowsHold::OwnedWindowsHold(HWND owner) {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (owner && GetWindow(window, GW_OWNER) == owner && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            held_.push_back(window);
        }
    }
}

OwnedWindowsHold::~OwnedWindowsHold() {
    for (HWND window : held_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
}

} // namespace win
