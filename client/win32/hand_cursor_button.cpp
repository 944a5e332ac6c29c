#include "hand_cursor_button.h"

#include "hover_cursor.h"
#include "resource.h"

void HandCursorButton::Attach(HWND button) {
    win::HoverCursor::Attach(button, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR)));
}
