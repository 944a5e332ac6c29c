// The system as the connector reads it: the version Windows reports, the
// registry and the Windows directory.
#pragma once

#include "dialer/system_setup.h"

class WindowsSystem : public dialer::SystemSetup {
public:
    bool IsWindows9x() override;
    bool MachineKeyExists(std::string_view path) override;
    std::optional<std::string> MachineString(std::string_view path, std::string_view name) override;
    std::optional<std::string> ClassesString(std::string_view path, std::string_view name) override;
    bool UserKeyExists(std::string_view path) override;
    std::optional<dialer::RegistryValue> UserValue(std::string_view path, std::string_view name) override;
    bool SetUserValue(std::string_view path, std::string_view name, const dialer::RegistryValue& value) override;
    std::string WindowsDirectory() override;
    bool FileExists(std::string_view path) override;
};
