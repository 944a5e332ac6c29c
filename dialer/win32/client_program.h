// The client program of an item of kind "file": the one stored in
// "connect.ini", or one the user picks and that is stored there.
#pragma once

#include "dialer/connector.h"

#include <windows.h>

enum class ClientProgramChoice { kKnown, kCancelled, kUnstorable };

// Puts the item's command line into the state's clientProgram. kUnstorable:
// chosen, but "connect.ini" cannot be written (the user has been told).
ClientProgramChoice GetClientProgram(HWND owner, dialer::Connector& connector, std::string_view item);
