// Buttons and the server list show the notebook's hover cursor while the
// pointer is over them; both kinds of control share this one handler.
#pragma once

#include <windows.h>

namespace gatelog {

class HoverCursorControl {
public:
    // Subclasses control for the rest of its life.
    static void Attach(HWND control, HCURSOR hover);
};

using HoverCursorButton = HoverCursorControl;
using HoverCursorList = HoverCursorControl;

} // namespace gatelog
