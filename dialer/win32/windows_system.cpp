#include "dialer/win32/windows_system.h"

#include "common/win32/text.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

Key Open(HKEY root, std::string_view path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, win::Widen(path).c_str(), 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return Key(key);
}

// A value's type and bytes, of any length.
std::optional<std::pair<DWORD, std::vector<BYTE>>> Query(HKEY key, std::string_view name) {
    std::wstring wideName = win::Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> data(size);
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    return std::make_pair(type, std::move(data));
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// A text value as CP949 bytes up to its terminating zero.
std::string TextOf(const std::vector<BYTE>& data) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    return win::Narrow(text.substr(0, text.find(L'\0')));
}

std::optional<std::string> StringValue(HKEY root, std::string_view path, std::string_view name) {
    Key key = Open(root, path, KEY_READ);
    if (!key) return std::nullopt;
    auto value = Query(key.get(), name);
    if (!value || !IsText(value->first)) return std::nullopt;
    return TextOf(value->second);
}

} // namespace

bool WindowsSystem::IsWindows9x() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&version);
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool WindowsSystem::MachineKeyExists(std::string_view path) { return Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != nullptr; }

std::optional<std::string> WindowsSystem::MachineString(std::string_view path, std::string_view name) {
    return StringValue(HKEY_LOCAL_MACHINE, path, name);
}

std::optional<std::string> WindowsSystem::ClassesString(std::string_view path, std::string_view name) {
    return StringValue(HKEY_CLASSES_ROOT, path, name);
}

bool WindowsSystem::UserKeyExists(std::string_view path) { return Open(HKEY_CURRENT_USER, path, KEY_READ) != nullptr; }

std::optional<dialer::RegistryValue> WindowsSystem::UserValue(std::string_view path, std::string_view name) {
    Key key = Open(HKEY_CURRENT_USER, path, KEY_READ);
    if (!key) return std::nullopt;
    auto value = Query(key.get(), name);
    if (!value) return std::nullopt;
    if (IsText(value->first)) return dialer::RegistryValue{value->first, TextOf(value->second) + '\0'};
    return dialer::RegistryValue{value->first, std::string(value->second.begin(), value->second.end())};
}

bool WindowsSystem::SetUserValue(std::string_view path, std::string_view name, const dialer::RegistryValue& value) {
    Key key = Open(HKEY_CURRENT_USER, path, KEY_SET_VALUE);
    if (!key) return false;
    std::wstring wideName = win::Widen(name);
    if (IsText(value.type)) {
        // Widen keeps the terminating zero that the value's bytes end with.
        std::wstring text = win::Widen(value.data);
        return RegSetValueExW(key.get(), wideName.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    return RegSetValueExW(key.get(), wideName.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

std::string WindowsSystem::WindowsDirectory() {
    wchar_t directory[MAX_PATH] = L"";
    UINT length = GetWindowsDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return win::Narrow(std::wstring_view(directory, length));
}

bool WindowsSystem::FileExists(std::string_view path) {
    return GetFileAttributesW(win::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
