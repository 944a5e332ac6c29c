#include "common/win32/machine_registry.h"

#include <string>

#include "common/win32/text.h"

namespace win {
namespace {

class MachineKey : public gateway::RegistryKey {
public:
    MachineKey(HKEY key, const CRegFun& regFun) : key_(key), regFun_(regFun) {}
    ~MachineKey() override { RegCloseKey(key_); }
    MachineKey(const MachineKey&) = delete;
    MachineKey& operator=(const MachineKey&) = delete;

    bool WriteString(std::string_view name, std::string_view text) override {
        return regFun_.SetRegValueData(key_, name, text, REG_SZ) != 0;
    }

    bool WriteDword(std::string_view name, std::uint32_t value) override {
        DWORD data = value;
        return RegSetValueExW(key_, Widen(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof data) == ERROR_SUCCESS;
    }

    std::optional<std::string> ReadString(std::string_view name) override {
        std::wstring valueName = Widen(name);
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        // The stored terminator, and anything after an embedded one, is not part of the text.
        text.resize(std::wstring_view(text.c_str()).size());
        return Narrow(text);
    }

private:
    HKEY key_;
    const CRegFun& regFun_;
};

} // namespace

std::unique_ptr<gateway::RegistryKey> MachineRegistry::OpenForWrite(std::string_view path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(path).c_str(), 0, KEY_WRITE | kGameRegistryView, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<MachineKey>(key, regFun_);
}

std::unique_ptr<gateway::RegistryKey> MachineRegistry::OpenForRead(std::string_view path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(path).c_str(), 0, KEY_READ | kGameRegistryView, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<MachineKey>(key, regFun_);
}

std::unique_ptr<gateway::RegistryKey> MachineRegistry::Create(std::string_view path) {
    HKEY key = nullptr;
    if (!regFun_.CreateRegKey(path, &key)) return nullptr;
    return std::make_unique<MachineKey>(key, regFun_);
}

} // namespace win
