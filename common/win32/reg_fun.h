// The small registry class the launchers use to create a key under
// HKEY_LOCAL_MACHINE and store a text value. It keeps no state between calls.
#pragma once

#include <windows.h>

#include <string_view>

// The game and its gateway list live in the 32-bit view of the registry,
// which a 64-bit build of the programs must ask for.
inline constexpr REGSAM kGameRegistryView = KEY_WOW64_32KEY;

class CRegFun {
public:
    // Creates (or opens) HKEY_LOCAL_MACHINE\path and hands back a handle with
    // write access; 0 on failure, 1 on success.
    int CreateRegKey(std::string_view path, HKEY* key) const;
    // Stores text as the named value of an open key; kind is the registry
    // type, REG_SZ or REG_EXPAND_SZ. 0 on failure, 1 on success.
    int SetRegValueData(HKEY key, std::string_view name, std::string_view data, int kind) const;
};
