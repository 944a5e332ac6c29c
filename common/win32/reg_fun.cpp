#include "common/win32/reg_fun.h"

#include <string>

#include "common/win32/text.h"

int CRegFun::CreateRegKey(std::string_view path, HKEY* key) const {
    if (!key) return 0;
    LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, win::Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE | kGameRegistryView, nullptr, key, nullptr);
    return status == ERROR_SUCCESS ? 1 : 0;
}

int CRegFun::SetRegValueData(HKEY key, std::string_view name, std::string_view data, int kind) const {
    if (kind != REG_SZ && kind != REG_EXPAND_SZ) return 0;
    std::wstring text = win::Widen(data);
    auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    LONG status = RegSetValueExW(key, win::Widen(name).c_str(), 0, static_cast<DWORD>(kind),
                                 reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    return status == ERROR_SUCCESS ? 1 : 0;
}
