// While a modal box of a window runs, the other windows it owns (the lobby's
// room window) are held too, as the window itself is: none can be used behind
// the box.
#pragma once

#include <windows.h>

#include <vector>

namespace win {

class OwnedWindowsHold {
public:
    // Disables the enabled windows of this thread that owner owns; the object
    // enables them again when it goes, those still there.
    explicit OwnedWindowsHold(HWND owner);
    ~OwnedWindowsHold();
    OwnedWindowsHold(const OwnedWindowsHold&) = delete;
    OwnedWindowsHold& operator=(const OwnedWindowsHold&) = delete;

private:
    std::vector<HWND> held_;
};

} // namespace win
