// What the connector's window knows between two messages.
#pragma once

#include "common/name_resolver.h"
#include "dialer/ras_service.h"

#include <string>
#include <vector>

namespace dialer {

enum class LaunchKind { kNone = 0, kInternet = 1, kRegisteredProgram = 2, kGame = 3 };

struct ConnectorState {
    LaunchKind launchKind = LaunchKind::kNone;
    int lastItemCommand = 0;  // the item menu's last command id
    bool idle = true;         // no dial under way
    bool dialing = false;     // from a confirmed dial until it fails or is hung up
    bool connectActive = false;
    bool autoItem = false;    // an item is reserved, or there is nothing to choose
    std::string firstItem;
    std::string currentItem;
    std::string linePrefix;   // the outside-line prefix, at most kMaxLinePrefix bytes
    std::string itemKey;      // the registry path of a registered program's item
    std::string itemProgram;
    std::string clientProgram;
    // The settings' number choice (1 to 4, 0 for none), kept between openings.
    int numberChoice = 0;
    net::Ipv4Address dnsPrimary{};
    net::Ipv4Address dnsSecondary{};
    // The phonebook's entries, listed at start-up.
    std::vector<std::string> entryNames;
    ConnectionHandle connection = 0;
};

} // namespace dialer
