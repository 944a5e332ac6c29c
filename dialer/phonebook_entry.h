// A dial-up phonebook entry as the connector writes it for an access item.
#pragma once

#include "common/name_resolver.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dialer {

// Specific name servers, IP header compression, the remote default gateway,
// modem lights and software compression.
inline constexpr std::uint32_t kEntryOptions = 0x31C;
inline constexpr std::uint32_t kKoreaCountryId = 82;
inline constexpr std::string_view kSeoulAreaCode = "02";
// What SetEntryNumber stores as the area code with a new number.
inline constexpr std::string_view kRenumberedAreaCode = "02 ";
inline constexpr std::uint32_t kIpProtocol = 4;
inline constexpr std::uint32_t kPppFraming = 1;

// The service's two access numbers.
inline constexpr std::string_view kAccessNumber = "01410";
inline constexpr std::string_view kAlternateNumber = "01411";

struct PhonebookEntry {
    std::uint32_t options = 0;
    std::uint32_t countryId = 0;
    std::uint32_t countryCode = 0;
    std::string areaCode;
    std::string localPhoneNumber;
    net::Ipv4Address ipAddress{};
    net::Ipv4Address dns{};
    net::Ipv4Address dnsAlternate{};
    net::Ipv4Address wins{};
    net::Ipv4Address winsAlternate{};
    std::uint32_t frameSize = 0;
    std::uint32_t netProtocols = 0;
    std::uint32_t framingProtocol = 0;
    std::string script;
    std::string deviceType;
    std::string deviceName;

    bool operator==(const PhonebookEntry&) const = default;
};

struct RasDevice {
    std::string type;
    std::string name;
};

// The entry of an item as it is created: the access number, the given
// device and name servers, and the item's login script.
PhonebookEntry BuildEntry(std::string_view script, const RasDevice& device, const net::Ipv4Address& dns,
                          const net::Ipv4Address& dnsAlternate);

// Whether a device is a modem: its type is "MODEM" in any case.
bool IsModem(const RasDevice& device);

} // namespace dialer
