#include "client/win32/hand_cursor_button.h"

#include "common/win32/hover_cursor.h"
#include "resource.h"

void HandCursorButton::Attach(HWND button) {
    win::HoverCursor::Attach(button, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR)));
}
