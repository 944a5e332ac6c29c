// The system checks before dialing and every change of the items'
// phonebook entries: creation, repair, the number and the modem.
#pragma once

#include "dialer/connector_files.h"
#include "dialer/connector_state.h"
#include "dialer/connector_view.h"
#include "dialer/ras_service.h"
#include "dialer/system_setup.h"

#include <optional>
#include <string>
#include <string_view>

namespace dialer {

// The number an entry dials for a choice of the settings: 1 and 2 the access
// numbers, 3 and 4 the same behind the outside-line prefix; nullopt for others.
std::optional<std::string> NumberForChoice(int choice, std::string_view linePrefix);
// The choice a stored number stands for, 0 when it is none of them.
int ChoiceOfNumber(std::string_view number);

struct DeviceQuery {
    bool ok = true;
    std::optional<RasDevice> device;  // none when no item has a readable entry
};

class PhonebookSetup {
public:
    PhonebookSetup(const ConnectorFiles& files, ConnectorState& state, RasService& ras, SystemSetup& system,
                   ConnectorView& view)
        : files_(files), state_(state), ras_(ras), system_(system), view_(view) {}

    // True when TCP/IP or the dial-up adapter is missing (told to the user).
    bool CheckNetworkComponents();
    // Hangs up what is connected and lists the entries; false when start-up must end.
    bool CheckRasSetup();
    bool HangUpAll();
    // True when the item has no entry yet; an existing one has its script and
    // name servers brought in line.
    bool EnsureEntry(std::string_view item);
    bool CreateEntry(std::string_view item);
    // -1 when the devices cannot be listed.
    int CountModems();
    std::optional<std::vector<RasDevice>> Modems();
    int GetNumberChoice(std::string_view item);
    void SetEntryNumber(std::string_view item, std::string_view number);
    // The modem of the first item's entry.
    DeviceQuery GetItemDevice();
    // The system's text for a RAS error, or fallback when it has none.
    std::string ErrorText(std::uint32_t code, std::string_view fallback);

    // Moves every item's entry to device.
    bool SetItemDevice(const RasDevice& device);

private:
    bool AdapterInstalled();
    // The entry re-created with the configured name servers, the item's
    // script and the given number and device.
    bool Recreate(std::string_view item, const PhonebookEntry& old, const RasDevice& device,
                  const net::Ipv4Address& dns, const net::Ipv4Address& dnsAlternate);

    const ConnectorFiles& files_;
    ConnectorState& state_;
    RasService& ras_;
    SystemSetup& system_;
    ConnectorView& view_;
};

} // namespace dialer
