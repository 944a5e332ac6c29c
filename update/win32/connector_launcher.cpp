#include "connector_launcher.h"

#include "program_starter.h"
#include "text.h"

#include <windows.h>

bool ConnectorLauncher::Start(const std::filesystem::path& program) {
    // Quoted: the program directory may hold blanks.
    return win::StartCommand("\"" + win::Narrow(program.native()) + "\"", SW_SHOWDEFAULT);
}
