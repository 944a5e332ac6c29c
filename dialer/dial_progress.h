// What the window shows of a dial's progress: the lamps and the text of
// each connection state (string resources 1 to 26 of the connector).
#pragma once

#include <cstdint>
#include <optional>

namespace dialer {

// Connection states that the engine acts on.
inline constexpr std::uint32_t kStateOpenPort = 0;
inline constexpr std::uint32_t kStateConnectDevice = 2;
inline constexpr std::uint32_t kStateAllDevicesConnected = 4;
inline constexpr std::uint32_t kStateConnected = 0x2000;
inline constexpr std::uint32_t kStateDisconnected = 0x2001;

// The lamps; each stays lit until the next reset.
inline constexpr int kLampOpenPort = 1051;
inline constexpr int kLampConnected = 1052;
inline constexpr int kLampUpdater = 1053;
inline constexpr int kLampLaunched = 1054;
inline constexpr int kLampUpdaterStarted = 1055;
inline constexpr int kLampAllDevices = 1056;
inline constexpr int kLampConnectDevice = 1057;

// The string resource that describes a connection state.
int StateTextId(std::uint32_t state);

// The lamp a connection state lights, if any.
std::optional<int> StateLamp(std::uint32_t state);

} // namespace dialer
