// The items of a window's system menu, which lives in the window's process.
#pragma once

#include <windows.h>

#include <string>

namespace uidriver {

// [{"id": command, "text": ..., "enabled": bool, "separator": bool}...]
std::string ReadSystemMenu(HWND window);

} // namespace uidriver
