// Starting another program of the installation.
#pragma once

#include <filesystem>

namespace update {

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts program with the default show mode; false when it did not start.
    virtual bool Start(const std::filesystem::path& program) = 0;
};

} // namespace update
