// What the driver and its probe DLL exchange through a named shared memory
// block: the window (and a menu of its process) in, the menu's items out. Fixed sizes on both
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
    std::uint64_t menu;       // a menu to read; 0 for the window's system menu
    std::uint32_t answered;   // set by the probe once it has looked
    std::uint32_t itemCount;
    ProbeMenuItem items[kProbeMaxItems];
};

// The probe's export is a WH_CALLWNDPROC hook. The driver hooks the window's
// thread and sends it kProbeMessage with its own process id as wParam; the
// hook then fills the block named kProbeBlockPrefix + that id.
inline constexpr const char* kProbeEntry = "SystemMenuHook";
inline constexpr const wchar_t* kProbeFile = L"uidriver_probe.dll";
inline constexpr const wchar_t* kProbeMessage = L"uidriver.read-system-menu";
inline constexpr const wchar_t* kProbeBlockPrefix = L"uidriver-system-menu-";

} // namespace uidriver
