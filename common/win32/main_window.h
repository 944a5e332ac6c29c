// What every program's main dialog does alike: its icons, the about command
// in its system menu, and how it shows itself when minimised.
#pragma once

#include <windows.h>

namespace win {

void SetWindowIcons(HWND window, HICON big, HICON small);

// Appends a separator and the about command, whose text is string resource
// textId, to the window's system menu; nothing when the text is missing.
void AddAboutCommand(HWND window, UINT command, UINT textId);

// WM_SYSCOMMAND: runs the about box (dialog template aboutTemplate) when
// sysCommand is the about command; false for every other command.
bool RunAboutCommand(HWND owner, WPARAM sysCommand, UINT command, int aboutTemplate);

// WM_PAINT of a minimised window: its icon centred in the client area.
// False when the window is not minimised and painting is left to the caller.
bool PaintMinimisedIcon(HWND window, HICON icon);

} // namespace win
