// A control that shows a cursor of its own while the pointer is over it and
// it is enabled (hand cursors on buttons, the notebook's cursor on its list).
#pragma once

#include <windows.h>

namespace win {

class HoverCursor {
public:
    // Subclasses control for the rest of its life.
    static void Attach(HWND control, HCURSOR hover);
};

} // namespace win
