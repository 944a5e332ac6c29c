#include "common/win32/hover_cursor.h"

#include <commctrl.h>

namespace win {
namespace {

constexpr UINT_PTR kSubclassId = 0x484F56;  // "HOV"
// Marks a control whose pointer is the hover cursor.
constexpr wchar_t kShowingProperty[] = L"HoverCursorShown";

bool PointerInside(HWND control, LPARAM clientPoint) {
    POINT point{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ClientToScreen(control, &point);
    RECT rect;
    GetWindowRect(control, &rect);
    return PtInRect(&rect, point) != FALSE;
}

LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR hover) {
    bool showing = GetPropW(control, kShowingProperty) != nullptr;
    switch (message) {
    case WM_MOUSEMOVE:
        if (PointerInside(control, lParam) && IsWindowEnabled(control)) {
            SetCursor(reinterpret_cast<HCURSOR>(hover));
            SetPropW(control, kShowingProperty, reinterpret_cast<HANDLE>(1));
        } else if (showing) {
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            RemovePropW(control, kShowingProperty);
        }
        break;
    case WM_SETCURSOR:
        // Keeps the class cursor from flickering in between two moves.
        if (showing && IsWindowEnabled(control)) {
            SetCursor(reinterpret_cast<HCURSOR>(hover));
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        RemovePropW(control, kShowingProperty);
        RemoveWindowSubclass(control, Procedure, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void HoverCursor::Attach(HWND control, HCURSOR hover) {
    SetWindowSubclass(control, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(hover));
}

} // namespace win
