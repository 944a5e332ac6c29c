// What the connector reads of the system before it dials: the Windows
// family, the network components' registry keys of Windows 9x, the dial-up
// profiles and the system's files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dialer {

struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;  // raw bytes, a string's terminating zero included
};

class SystemSetup {
public:
    virtual ~SystemSetup() = default;

    // Windows 95, 98 or Me, where networking and dial-up are optional parts.
    virtual bool IsWindows9x() = 0;
    // HKEY_LOCAL_MACHINE, opened for reading.
    virtual bool MachineKeyExists(std::string_view path) = 0;
    virtual std::optional<std::string> MachineString(std::string_view path, std::string_view name) = 0;
    // A text value under HKEY_CLASSES_ROOT; an empty name is the key's default value.
    virtual std::optional<std::string> ClassesString(std::string_view path, std::string_view name) = 0;
    // HKEY_CURRENT_USER.
    virtual bool UserKeyExists(std::string_view path) = 0;
    virtual std::optional<RegistryValue> UserValue(std::string_view path, std::string_view name) = 0;
    virtual bool SetUserValue(std::string_view path, std::string_view name, const RegistryValue& value) = 0;
    // The Windows directory, without a trailing backslash.
    virtual std::string WindowsDirectory() = 0;
    virtual bool FileExists(std::string_view path) = 0;
};

} // namespace dialer
