#include "common/win32/main_window.h"

#include <iterator>

namespace win {
namespace {

// Icons of the system's sizes are shared: the system frees them.
HICON LoadProgramIcon(int id, int metric) {
    int size = GetSystemMetrics(metric);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_SHARED));
}

// A separator and the command, whose text is string resource textId; nothing
// when the text is missing.
void AddAboutCommand(HWND window, UINT command, UINT textId) {
    wchar_t text[64] = L"";
    if (LoadStringW(GetModuleHandleW(nullptr), textId, text, static_cast<int>(std::size(text))) <= 0) return;
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, command, text);
}

// The icon centred in the client area; false when the window is not minimised.
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

} // namespace

MainDialog::MainDialog(int templateId, const MainWindowParts& parts)
    : Dialog(templateId), parts_(parts), icon_(LoadProgramIcon(parts.iconId, SM_CXICON)),
      smallIcon_(LoadProgramIcon(parts.iconId, SM_CXSMICON)) {
    // Every other system command is left to Windows.
    OnMessage(WM_SYSCOMMAND, [this](WPARAM command, LPARAM) -> INT_PTR {
        if ((command & 0xFFF0) != parts_.aboutCommand) return FALSE;
        Dialog about(parts_.aboutTemplate);
        about.RunModal(Handle());
        return TRUE;
    });
    OnMessage(WM_PAINT, [this](WPARAM, LPARAM) -> INT_PTR {
        return PaintMinimisedIcon(Handle(), icon_) || OnPaint() ? TRUE : FALSE;
    });
    OnMessage(WM_QUERYDRAGICON, [this](WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(icon_); });
}

bool MainDialog::OnInitDialog() {
    AddAboutCommand(Handle(), parts_.aboutCommand, parts_.aboutTextId);
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    return true;
}

} // namespace win
