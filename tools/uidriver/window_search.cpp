#include "tools/uidriver/window_search.h"

#include "tools/uidriver/failure.h"
#include "tools/uidriver/protocol.h"

namespace uidriver {
namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool SameClass(const std::wstring& a, const wchar_t* b) { return lstrcmpiW(a.c_str(), b) == 0; }

} // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring Caption(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

LRESULT SendOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        throw Failure("window does not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

std::wstring ControlText(HWND window) {
    auto length = static_cast<std::size_t>(SendOrFail(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    auto copied = static_cast<std::size_t>(
        SendOrFail(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return text;
}

bool Matches(HWND window, const WindowFilter& filter) {
    if (filter.visibleOnly && !IsWindowVisible(window)) return false;
    if (filter.pid && ProcessOf(window) != *filter.pid) return false;
    if (filter.className && ClassName(window) != *filter.className) return false;
    return !filter.title || Caption(window) == *filter.title;
}

bool IsMessageBox(HWND window) {
    if (ClassName(window) != L"#32770" || !IsWindowVisible(window)) return false;
    bool hasButton = false;
    for (HWND child : ChildWindows(window)) {
        std::wstring name = ClassName(child);
        if (SameClass(name, L"Button")) {
            hasButton = true;
        } else if (!SameClass(name, L"Static")) {
            return false;
        }
    }
    return hasButton;
}

void PollUntil(DWORD timeoutMs, const std::string& waitingFor, const std::function<bool()>& found) {
    const DWORD start = GetTickCount();
    while (!found()) {
        if (GetTickCount() - start >= timeoutMs) throw Timeout(waitingFor);
        Sleep(10);
    }
}

HWND ParseWindow(const std::string& text) {
    auto value = ParseInteger(text);
    if (!value) throw Failure("not a window handle: " + text);
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(*value));
    if (!IsWindow(window)) throw Failure("no such window: " + text);
    return window;
}

} // namespace uidriver
