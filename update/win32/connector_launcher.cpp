#include "update/win32/connector_launcher.h"

#include "common/win32/program_starter.h"

#include <windows.h>

bool ConnectorLauncher::Start(const std::filesystem::path& program) {
    // Quoted: the program directory may hold blanks.
    return win::StartCommand(L"\"" + program.native() + L"\"", SW_SHOWDEFAULT);
}
