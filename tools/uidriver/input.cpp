#include "tools/uidriver/input.h"

#include "tools/uidriver/failure.h"
#include "tools/uidriver/protocol.h"
#include "tools/uidriver/window_search.h"

#include <cctype>
#include <map>
#include <vector>

namespace uidriver {
namespace {

const std::map<std::string, UINT>& NamedKeys() {
    static const std::map<std::string, UINT> keys{
        {"ENTER", VK_RETURN}, {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"ESC", VK_ESCAPE},
        {"TAB", VK_TAB},      {"BACK", VK_BACK},     {"BACKSPACE", VK_BACK}, {"DELETE", VK_DELETE},
        {"SPACE", VK_SPACE},  {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},   {"UP", VK_UP},
        {"DOWN", VK_DOWN},    {"HOME", VK_HOME},     {"END", VK_END},       {"SHIFT", VK_SHIFT},
        {"CONTROL", VK_CONTROL}, {"ALT", VK_MENU},
    };
    return keys;
}

// lParam of a key message: repeat count 1, the key's scan code, and for a
// release the previous-state and transition bits.
LPARAM KeyParameter(UINT virtualKey, bool release) {
    LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    return 1 | scanCode | (release ? static_cast<LPARAM>(0xC0000000u) : 0);
}

void SendInputs(std::vector<INPUT>& inputs) {
    auto count = static_cast<UINT>(inputs.size());
    if (SendInput(count, inputs.data(), sizeof(INPUT)) != count) throw Failure("input was not accepted");
}

// Absolute mouse coordinates run from 0 to 65535 across the primary screen.
INPUT MouseInput(int x, int y, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

} // namespace

UINT ParseKey(const std::string& name) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (auto named = NamedKeys().find(upper); named != NamedKeys().end()) return named->second;
    if (upper.size() == 1 && std::isalnum(static_cast<unsigned char>(upper[0]))) return static_cast<UINT>(upper[0]);
    if (upper.size() >= 2 && upper[0] == 'F') {
        auto number = ParseInteger(upper.substr(1));
        if (number && *number >= 1 && *number <= 24) return VK_F1 + static_cast<UINT>(*number - 1);
    }
    auto code = ParseInteger(name);
    if (!code || *code <= 0 || *code > 0xFE) throw Failure("unknown key: " + name);
    return static_cast<UINT>(*code);
}

KeyAction ParseKeyAction(const std::string& name) {
    if (name == "press") return KeyAction::Press;
    if (name == "down") return KeyAction::Down;
    if (name == "up") return KeyAction::Up;
    throw Failure("key action is press, down or up: " + name);
}

void PostKey(HWND window, UINT virtualKey, KeyAction action) {
    if (action != KeyAction::Up) PostMessageW(window, WM_KEYDOWN, virtualKey, KeyParameter(virtualKey, false));
    if (action != KeyAction::Down) PostMessageW(window, WM_KEYUP, virtualKey, KeyParameter(virtualKey, true));
}

void TypeCharacters(HWND window, std::wstring_view text) {
    for (wchar_t unit : text) SendOrFail(window, WM_CHAR, unit, 1);
}

void SendUnicodeText(HWND window, std::wstring_view text) {
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    // Focus belongs to the window's thread; join its input state to set it.
    DWORD target = GetWindowThreadProcessId(window, nullptr);
    DWORD own = GetCurrentThreadId();
    AttachThreadInput(own, target, TRUE);
    SetFocus(window);
    AttachThreadInput(own, target, FALSE);

    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        for (DWORD release : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | release;
            inputs.push_back(input);
        }
    }
    SendInputs(inputs);
}

void MoveMouse(int x, int y) {
    SetCursorPos(x, y);
    // A synthetic move under Xvfb is echoed later with the old position;
    // sending it twice leaves the pointer where it was sent.
    std::vector<INPUT> inputs{MouseInput(x, y, MOUSEEVENTF_MOVE), MouseInput(x, y, MOUSEEVENTF_MOVE)};
    SendInputs(inputs);
}

void ClickMouse(int x, int y, bool rightButton, KeyAction action) {
    MoveMouse(x, y);
    std::vector<INPUT> inputs;
    if (action != KeyAction::Up) inputs.push_back(MouseInput(x, y, rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
    if (action != KeyAction::Down) inputs.push_back(MouseInput(x, y, rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
    SendInputs(inputs);
}

} // namespace uidriver
