#include "common/win32/main_window.h"

#include "common/win32/dialog.h"

#include <iterator>

namespace win {
namespace {

// Icons of the system's sizes are shared: the system frees them.
HICON LoadProgramIcon(int id, int metric) {
    int size = GetSystemMetrics(metric);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace

MainDialog::MainDialog(int templateId, const MainWindowParts& parts)
    : Dialog(templateId), parts_(parts), icon_(LoadProgramIcon(parts.iconId, SM_CXICON)),
      smallIcon_(LoadProgramIcon(parts.iconId, SM_CXSMICON)) {
    OnMessage(WM_SYSCOMMAND, [this](WPARAM command, LPARAM) -> INT_PTR {
        return RunAboutCommand(Handle(), command, parts_.aboutCommand, parts_.aboutTemplate) ? TRUE : FALSE;
    });
    OnMessage(WM_PAINT, [this](WPARAM, LPARAM) -> INT_PTR {
        return PaintMinimisedIcon(Handle(), icon_) || OnPaint() ? TRUE : FALSE;
    });
    OnMessage(WM_QUERYDRAGICON, [this](WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(icon_); });
}

bool MainDialog::OnInitDialog() {
    AddAboutCommand(Handle(), parts_.aboutCommand, parts_.aboutTextId);
    SetWindowIcons(Handle(), icon_, smallIcon_);
    return true;
}

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
