#include "dialer/dial_progress.h"

namespace dialer {

int StateTextId(std::uint32_t state) {
    constexpr std::uint32_t kLastPlainState = 17;  // WaitForCallback
    if (state <= kLastPlainState) return static_cast<int>(state) + 1;
    switch (state) {
    case 0x1000: return 26;  // Interactive
    case 0x1001: return 19;  // RetryAuthentication
    case 0x1002: return 20;  // CallbackSetByCaller
    case 0x1003: return 21;  // PasswordExpired
    case kStateConnected: return 22;
    case kStateDisconnected: return 23;
    default: return 25;
    }
}

std::optional<int> StateLamp(std::uint32_t state) {
    switch (state) {
    case kStateOpenPort: return kLampOpenPort;
    case kStateConnectDevice: return kLampConnectDevice;
    case kStateAllDevicesConnected: return kLampAllDevices;
    case kStateConnected: return kLampConnected;
    default: return std::nullopt;
    }
}

} // namespace dialer
