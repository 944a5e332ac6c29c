// Finding and describing windows of any process on the driver's desktop.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace uidriver {

// Every message that crosses into another process waits at most this long.
inline constexpr UINT kSendTimeoutMs = 3000;

std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND parent);
std::wstring ClassName(HWND window);
DWORD ProcessOf(HWND window);
// Top-level caption, read without asking the window's thread.
std::wstring Caption(HWND window);
// WM_GETTEXT answered by the window's thread; throws when it does not answer.
std::wstring ControlText(HWND window);
// SendMessageTimeout with the driver's time-out; throws when the thread does not answer.
LRESULT SendOrFail(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct WindowFilter {
    std::optional<std::wstring> title;
    std::optional<std::wstring> className;
    std::optional<DWORD> pid;
    bool visibleOnly = true;
};
bool Matches(HWND window, const WindowFilter& filter);

// A dialog whose children are only static texts and buttons, at least one button.
bool IsMessageBox(HWND window);

// Calls found every 10 ms until it returns true; throws Timeout after timeoutMs.
void PollUntil(DWORD timeoutMs, const std::string& waitingFor, const std::function<bool()>& found);

HWND ParseWindow(const std::string& text);

} // namespace uidriver
