// Keyboard and mouse input as the programs see it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace uidriver {

enum class KeyAction { Press, Down, Up };

// A virtual-key code from a name (ENTER, ESCAPE, TAB, F1, A, 7...) or a number.
UINT ParseKey(const std::string& name);
KeyAction ParseKeyAction(const std::string& name);

// Posted WM_KEYDOWN/WM_KEYUP: what a program's message loop and key filter see.
void PostKey(HWND window, UINT virtualKey, KeyAction action);
// One sent WM_CHAR per UTF-16 unit, so a subclassed edit judges each character.
void TypeCharacters(HWND window, std::wstring_view text);
// Brings window's top-level window to the front, focuses window and sends
// the text as Unicode keyboard input.
void SendUnicodeText(HWND window, std::wstring_view text);

void MoveMouse(int x, int y);
// action Down or Up presses or releases the button only.
void ClickMouse(int x, int y, bool rightButton, KeyAction action);

} // namespace uidriver
