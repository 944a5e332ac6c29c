// Starting a game the user registered by hand, in its own directory.
#pragma once

#include <windows.h>

#include "client/games/game_records.h"

// Tells the user (owner's message box) when the executable is missing. The
// current directory is the program directory again afterwards.
void LaunchRegisteredGame(HWND owner, const lobby::GameRecord& record);
