// Holds a window's repainting off while a burst of changes goes in (lines
// into a list, rows into a list view); End repaints it once. Begin and End
// may be called any number of times; the destructor ends the pause.
#pragma once

#include <windows.h>

namespace win {

class RedrawPause {
public:
    RedrawPause() = default;
    explicit RedrawPause(HWND window) { Begin(window); }
    ~RedrawPause() { End(); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

    void Begin(HWND window);
    void End();

private:
    HWND window_ = nullptr;
};

} // namespace win
