#include "common/win32/main_window.h"

#include "common/win32/dialog.h"

#include <iterator>

namespace win {

void SetWindowIcons(HWND window, HICON big, HICON small) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void AddAboutCommand(HWND window, UINT command, UINT textId) {
    wchar_t text[64] = L"";
    if (LoadStringW(GetModuleHandleW(nullptr), textId, text, static_cast<int>(std::size(text))) <= 0) return;
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, command, text);
}

bool RunAboutCommand(HWND owner, WPARAM sysCommand, UINT command, int aboutTemplate) {
    if ((sysCommand & 0xFFF0) != command) return false;
    Dialog about(aboutTemplate);
    about.RunModal(owner);
    return true;
}

bool PaintMinimisedIcon(HWND window, HICON icon) {
    if (!IsIconic(window)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(window, &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon);
    EndPaint(window, &paint);
    return true;
}

} // namespace win
