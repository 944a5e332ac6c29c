// The connector's help: an HTML Help file beside the program, named like it.
#pragma once

#include <windows.h>

#include <string_view>

// Opens the help at its contents, or at a keyword of its index.
void ShowConnectorHelp(HWND owner, std::string_view keyword);
