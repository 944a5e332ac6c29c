// What the driver and its probe DLL exchange through the target process's
// memory: the window in, the system menu's items out. Fixed sizes on both
// sides; the probe never writes past them.
#pragma once

#include <cstdint>

namespace uidriver {

inline constexpr unsigned kProbeMaxItems = 32;
inline constexpr unsigned kProbeTextUnits = 128;

struct ProbeMenuItem {
    std::uint32_t id;
    std::uint32_t state;
    std::uint32_t type;
    wchar_t text[kProbeTextUnits];
};

struct ProbeBlock {
    std::uint64_t window;
    std::uint32_t itemCount;
    ProbeMenuItem items[kProbeMaxItems];
};

// The probe's export, a thread procedure taking the ProbeBlock's address;
// it returns 1 when the window has a system menu.
inline constexpr const char* kProbeEntry = "ReadSystemMenuInProcess";
inline constexpr const wchar_t* kProbeFile = L"uidriver_probe.dll";

} // namespace uidriver
