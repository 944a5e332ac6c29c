// uidriver: drives the suite's programs for the end-to-end tests. Reads one
// command per line on stdin and answers one line on stdout (see protocol.h).
// Windows are named by their handle as a number; waits poll every 10 ms.
//
//   ping | code-page | windows | quit
//   find-window TITLE [class= pid= visible=0 timeout=ms]   top-level window by exact title
//   message-box [pid= caption= timeout=ms]                  a box of only static texts and buttons
//   wait-gone HWND [timeout=ms]
//   control HWND ID | info HWND | text HWND | set-text HWND TEXT
//   click HWND                      posted BM_CLICK
//   press HWND BUTTON               a child button by id or text, posted BM_CLICK
//   key HWND KEY [action=press|down|up]     posted WM_KEYDOWN/WM_KEYUP
//   type HWND TEXT                  sent WM_CHAR per character
//   send-text HWND TEXT             SendInput of Unicode text after focusing HWND
//   list-box HWND | combo-box HWND | select-item HWND INDEX
//   list-view HWND | select-row HWND INDEX
//   system-menu HWND | popup-menu HWND | syscommand HWND COMMAND | close HWND | redraw HWND
//   mouse-move X Y | mouse-click X Y [button=right action=press|down|up]
//   terminate PID
#include "tools/uidriver/failure.h"
#include "tools/uidriver/input.h"
#include "tools/uidriver/list_controls.h"
#include "tools/uidriver/protocol.h"
#include "tools/uidriver/system_menu.h"
#include "tools/uidriver/window_search.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <set>

namespace uidriver {
namespace {

constexpr DWORD kDefaultTimeoutMs = 5000;

const std::string& Word(const Command& command, std::size_t index) {
    if (index >= command.words.size()) {
        throw Failure(command.name + " needs argument " + std::to_string(index + 1));
    }
    return command.words[index];
}

std::int64_t Number(const std::string& text) {
    auto value = ParseInteger(text);
    if (!value) throw Failure("not a number: " + text);
    return *value;
}

int IntWord(const Command& command, std::size_t index) { return static_cast<int>(Number(Word(command, index))); }
HWND WindowWord(const Command& command, std::size_t index) { return ParseWindow(Word(command, index)); }
std::wstring TextWord(const Command& command, std::size_t index) { return FromUtf8(Word(command, index)); }

const std::string* Option(const Command& command, const std::string& name) {
    auto found = command.options.find(name);
    return found == command.options.end() ? nullptr : &found->second;
}

DWORD TimeoutOption(const Command& command) {
    const std::string* value = Option(command, "timeout");
    return value ? static_cast<DWORD>(Number(*value)) : kDefaultTimeoutMs;
}

std::string JsonWindow(HWND window) { return std::to_string(reinterpret_cast<INT_PTR>(window)); }

std::string DescribeTopLevel(HWND window) {
    return JsonObject()
        .Add("hwnd", JsonWindow(window))
        .Add("title", JsonText(Caption(window)))
        .Add("class", JsonText(ClassName(window)))
        .Add("pid", ProcessOf(window))
        .Add("visible", JsonBool(IsWindowVisible(window)))
        .Add("enabled", JsonBool(IsWindowEnabled(window)))
        .Add("owner", JsonWindow(GetWindow(window, GW_OWNER)))
        .Str();
}

std::string DescribeControl(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return JsonObject()
        .Add("hwnd", JsonWindow(window))
        .Add("class", JsonText(ClassName(window)))
        .Add("id", GetDlgCtrlID(window))
        .Add("text", JsonText(ControlText(window)))
        .Add("visible", JsonBool(IsWindowVisible(window)))
        .Add("enabled", JsonBool(IsWindowEnabled(window)))
        .Add("style", static_cast<std::int64_t>(GetWindowLongW(window, GWL_STYLE) & 0xFFFFFFFFu))
        .Add("pid", ProcessOf(window))
        .Add("rect", JsonArray({std::to_string(rect.left), std::to_string(rect.top), std::to_string(rect.right),
                                std::to_string(rect.bottom)}))
        .Str();
}

// Icons and pictures answer WM_GETTEXT with their resource reference, not with text.
bool ShowsPicture(HWND staticControl) {
    LONG type = GetWindowLongW(staticControl, GWL_STYLE) & SS_TYPEMASK;
    return type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE;
}

std::string DescribeMessageBox(HWND box) {
    std::wstring text;
    std::vector<std::string> buttons;
    for (HWND child : ChildWindows(box)) {
        if (lstrcmpiW(ClassName(child).c_str(), L"Button") == 0) {
            buttons.push_back(
                JsonObject().Add("id", GetDlgCtrlID(child)).Add("text", JsonText(ControlText(child))).Str());
            continue;
        }
        if (ShowsPicture(child)) continue;
        std::wstring childText = ControlText(child);
        if (!childText.empty()) {
            text += (text.empty() ? L"" : L"\n") + childText;
        }
    }
    return JsonObject()
        .Add("hwnd", JsonWindow(box))
        .Add("pid", ProcessOf(box))
        .Add("caption", JsonText(Caption(box)))
        .Add("text", JsonText(text))
        .Add("buttons", JsonArray(buttons))
        .Str();
}

WindowFilter FilterOptions(const Command& command) {
    WindowFilter filter;
    if (const std::string* value = Option(command, "class")) filter.className = FromUtf8(*value);
    if (const std::string* value = Option(command, "pid")) filter.pid = static_cast<DWORD>(Number(*value));
    if (const std::string* value = Option(command, "caption")) filter.title = FromUtf8(*value);
    if (const std::string* value = Option(command, "visible")) filter.visibleOnly = *value != "0";
    return filter;
}

HWND WaitForTopLevel(const WindowFilter& filter, DWORD timeoutMs, const std::string& what,
                     const std::function<bool(HWND)>& accept) {
    HWND match = nullptr;
    PollUntil(timeoutMs, what, [&] {
        for (HWND window : TopLevelWindows()) {
            if (Matches(window, filter) && accept(window)) {
                match = window;
                return true;
            }
        }
        return false;
    });
    return match;
}

std::string FindWindowCommand(const Command& command) {
    WindowFilter filter = FilterOptions(command);
    filter.title = TextWord(command, 0);
    HWND window = WaitForTopLevel(filter, TimeoutOption(command), "no window titled " + Word(command, 0),
                                  [](HWND) { return true; });
    return DescribeTopLevel(window);
}

std::string MessageBoxCommand(const Command& command) {
    HWND box = WaitForTopLevel(FilterOptions(command), TimeoutOption(command), "no message box", IsMessageBox);
    return DescribeMessageBox(box);
}

std::string WindowsCommand(const Command&) {
    std::vector<std::string> windows;
    for (HWND window : TopLevelWindows()) windows.push_back(DescribeTopLevel(window));
    return JsonArray(windows);
}

std::string ControlCommand(const Command& command) {
    HWND control = GetDlgItem(WindowWord(command, 0), IntWord(command, 1));
    if (!control) throw Failure("no control " + Word(command, 1));
    return JsonWindow(control);
}

std::string SetTextCommand(const Command& command) {
    std::wstring text = TextWord(command, 1);
    if (!SendOrFail(WindowWord(command, 0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) {
        throw Failure("the window refused the text");
    }
    return {};
}

// A message box button by id or by its text, mnemonic ampersands ignored.
HWND FindButton(HWND parent, const std::string& which) {
    auto id = ParseInteger(which);
    std::wstring wanted = FromUtf8(which);
    for (HWND child : ChildWindows(parent)) {
        if (lstrcmpiW(ClassName(child).c_str(), L"Button") != 0) continue;
        if (id && GetDlgCtrlID(child) == *id) return child;
        std::wstring text = ControlText(child);
        std::erase(text, L'&');
        if (!id && text == wanted) return child;
    }
    throw Failure("no button " + which);
}

std::string PressCommand(const Command& command) {
    PostMessageW(FindButton(WindowWord(command, 0), Word(command, 1)), BM_CLICK, 0, 0);
    return {};
}

// A posted click, so a modal box it opens does not hold the driver; with
// wait=1 a sent one, which returns once the program has handled the click.
std::string ClickCommand(const Command& command) {
    HWND button = WindowWord(command, 0);
    const std::string* wait = Option(command, "wait");
    if (wait && *wait != "0") {
        SendOrFail(button, BM_CLICK, 0, 0);
    } else {
        PostMessageW(button, BM_CLICK, 0, 0);
    }
    return {};
}

std::string WaitGoneCommand(const Command& command) {
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(Number(Word(command, 0))));
    PollUntil(TimeoutOption(command), "window still there", [window] { return !IsWindow(window); });
    return {};
}

std::string TerminateCommand(const Command& command) {
    auto pid = static_cast<DWORD>(Number(Word(command, 0)));
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (!process) throw Failure("cannot open process " + Word(command, 0));
    BOOL ended = TerminateProcess(process, 1);
    CloseHandle(process);
    if (!ended) throw Failure("cannot end process " + Word(command, 0));
    return {};
}

// Paints the window now and waits until its thread is idle again, so that a
// screenshot taken next shows it.
std::string RedrawCommand(const Command& command) {
    HWND window = WindowWord(command, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendOrFail(window, WM_NULL, 0, 0);
    return {};
}

std::string CodePageCommand(const Command&) {
    return JsonObject().Add("ansi", GetACP()).Add("oem", GetOEMCP()).Str();
}

using Handler = std::function<std::string(const Command&)>;

const std::map<std::string, Handler>& Handlers() {
    static const std::map<std::string, Handler> handlers{
        {"ping", [](const Command&) { return std::string(); }},
        {"code-page", CodePageCommand},
        {"windows", WindowsCommand},
        {"find-window", FindWindowCommand},
        {"control", ControlCommand},
        {"info", [](const Command& c) { return DescribeControl(WindowWord(c, 0)); }},
        {"text", [](const Command& c) { return JsonText(ControlText(WindowWord(c, 0))); }},
        {"set-text", SetTextCommand},
        {"click", ClickCommand},
        {"key",
         [](const Command& c) {
             const std::string* action = Option(c, "action");
             PostKey(WindowWord(c, 0), ParseKey(Word(c, 1)), action ? ParseKeyAction(*action) : KeyAction::Press);
             return std::string();
         }},
        {"type", [](const Command& c) { TypeCharacters(WindowWord(c, 0), TextWord(c, 1)); return std::string(); }},
        {"send-text", [](const Command& c) { SendUnicodeText(WindowWord(c, 0), TextWord(c, 1)); return std::string(); }},
        {"list-box", [](const Command& c) { return ReadListBox(WindowWord(c, 0)); }},
        {"combo-box", [](const Command& c) { return ReadComboBox(WindowWord(c, 0)); }},
        {"select-item", [](const Command& c) { SelectListItem(WindowWord(c, 0), IntWord(c, 1)); return std::string(); }},
        {"list-view", [](const Command& c) { return ReadListView(WindowWord(c, 0)); }},
        {"count", [](const Command& c) { return CountItems(WindowWord(c, 0)); }},
        {"select-row", [](const Command& c) { SelectListViewRow(WindowWord(c, 0), IntWord(c, 1)); return std::string(); }},
        {"message-box", MessageBoxCommand},
        {"press", PressCommand},
        {"wait-gone", WaitGoneCommand},
        {"system-menu", [](const Command& c) { return ReadSystemMenu(WindowWord(c, 0)); }},
        {"popup-menu", [](const Command& c) { return ReadPopupMenu(WindowWord(c, 0)); }},
        {"close", [](const Command& c) { PostMessageW(WindowWord(c, 0), WM_CLOSE, 0, 0); return std::string(); }},
        {"syscommand",
         [](const Command& c) {
             PostMessageW(WindowWord(c, 0), WM_SYSCOMMAND, static_cast<WPARAM>(Number(Word(c, 1))), 0);
             return std::string();
         }},
        {"mouse-move", [](const Command& c) { MoveMouse(IntWord(c, 0), IntWord(c, 1)); return std::string(); }},
        {"mouse-click",
         [](const Command& c) {
             const std::string* button = Option(c, "button");
             const std::string* action = Option(c, "action");
             ClickMouse(IntWord(c, 0), IntWord(c, 1), button && *button == "right",
                        action ? ParseKeyAction(*action) : KeyAction::Press);
             return std::string();
         }},
        {"redraw", RedrawCommand},
        {"terminate", TerminateCommand},
    };
    return handlers;
}

// A mistyped option would silently change what a command waits for.
const std::set<std::string>& KnownOptions() {
    static const std::set<std::string> options{"action", "button", "caption", "class", "pid", "timeout", "visible", "wait"};
    return options;
}

std::string Answer(const std::string& line) {
    auto command = ParseCommand(line);
    if (!command) return "err unbalanced quotes";
    auto handler = Handlers().find(command->name);
    if (handler == Handlers().end()) return "err unknown command: " + command->name;
    for (const auto& option : command->options) {
        if (!KnownOptions().contains(option.first)) return "err unknown option: " + option.first;
    }
    try {
        std::string result = handler->second(*command);
        return result.empty() ? "ok" : "ok " + result;
    } catch (const Failure& failure) {
        std::string reason = failure.what();
        for (char& c : reason) {
            if (c == '\n' || c == '\r') c = ' ';
        }
        return "err " + reason;
    }
}

} // namespace
} // namespace uidriver

int wmain() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    // A message queue of our own, so AttachThreadInput can join another thread's input.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);

    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "quit") break;
        if (line.empty()) continue;
        std::string reply = uidriver::Answer(line) + "\n";
        std::fwrite(reply.data(), 1, reply.size(), stdout);
        std::fflush(stdout);
    }
    return 0;
}
