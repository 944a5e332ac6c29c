#include "dialer/phonebook_entry.h"

#include <algorithm>
#include <cctype>

namespace dialer {

PhonebookEntry BuildEntry(std::string_view script, const RasDevice& device, const net::Ipv4Address& dns,
                          const net::Ipv4Address& dnsAlternate) {
    PhonebookEntry entry;
    entry.options = kEntryOptions;
    entry.countryId = kKoreaCountryId;
    entry.areaCode = kSeoulAreaCode;
    entry.localPhoneNumber = kAccessNumber;
    entry.dns = dns;
    entry.dnsAlternate = dnsAlternate;
    entry.netProtocols = kIpProtocol;
    entry.framingProtocol = kPppFraming;
    entry.script = script;
    entry.deviceType = device.type;
    entry.deviceName = device.name;
    return entry;
}

bool IsModem(const RasDevice& device) {
    constexpr std::string_view kModem = "MODEM";
    return std::equal(device.type.begin(), device.type.end(), kModem.begin(), kModem.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace dialer
