#include "client/win32/sibling_programs.h"

#include "common/config_file.h"
#include "client/games/lobby_launch.h"
#include "common/win32/program_path.h"
#include "common/win32/program_starter.h"

#include <windows.h>

namespace sibling {

void StartNotebook() {
    // By its bare name: found beside this program, or on the search path.
    win::StartCommand("게이트록.exe", SW_SHOWDEFAULT);
}

void StartInternetProgram() {
    auto lines = config::ReadLinePieces(win::ProgramFile("config/filelist.ini"));
    if (!lines) return;
    if (auto command = lobby::InternetCommand(*lines)) win::StartCommand(*command, SW_SHOW);
}

} // namespace sibling
