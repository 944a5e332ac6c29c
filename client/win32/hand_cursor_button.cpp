#include "hand_cursor_button.h"

#include "resource.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x484342;  // "HCB"

LRESULT CALLBACK Procedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR cursor) {
    switch (message) {
    case WM_SETCURSOR:
        if (IsWindowEnabled(button)) {
            SetCursor(reinterpret_cast<HCURSOR>(cursor));
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, Procedure, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}
} // namespace

void HandCursorButton::Attach(HWND button) {
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR));
    SetWindowSubclass(button, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(hand));
}
