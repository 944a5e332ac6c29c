// The items of a window's system menu or of an open popup menu, which live
// in the window's process.
#pragma once

#include <windows.h>

#include <string>

namespace uidriver {

// [{"id": command, "text": ..., "enabled": bool, "separator": bool}...]
std::string ReadSystemMenu(HWND window);
// The same for the menu that a popup menu window (class "#32768") shows.
std::string ReadPopupMenu(HWND popup);

} // namespace uidriver
