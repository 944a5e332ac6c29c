// Starts the connector again after a restart hand-off, as WinExec would.
#pragma once

#include "update/program_launcher.h"

class ConnectorLauncher : public update::ProgramLauncher {
public:
    bool Start(const std::filesystem::path& program) override;
};
