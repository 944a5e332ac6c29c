// Launching a room's DirectPlay game: choosing the service provider, building
// the network address and the connection settings, and running the game.
#pragma once

#include "client/games/direct_play.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dplay {

// Launch status texts, shown in the lobby's hidden status field.
inline constexpr std::string_view kLaunching = "Launching...";
inline constexpr std::string_view kLaunchSuccessful = "Launch successful";
inline constexpr std::string_view kLaunchFailed = "Launch failed";
inline std::string_view LaunchStatusText(Result result) {
    return Succeeded(result) ? kLaunchSuccessful : kLaunchFailed;
}

// A drop-down list of names whose entries may carry a GUID.
class GuidList {
public:
    virtual ~GuidList() = default;
    virtual int Count() const = 0;
    virtual std::optional<Guid> GuidAt(int index) const = 0;
    // An index past the last entry leaves the list without a selection.
    virtual void Select(int index) = 0;
};

// Selects the first provider that offers an Internet address; with none, the
// list ends up without a selection. An enumeration failure stops the walk
// with the entry being examined selected, and is returned.
Result ChooseServiceProvider(DirectPlayLobby& lobby, GuidList& providers);

// The address elements for the provider's address types (the first
// kMaxAddressTypes, in order); nullopt when no type is one this lobby fills.
std::optional<std::vector<AddressElement>> AddressElements(const Guid& provider, const std::vector<Guid>& types,
                                                           std::string_view networkAddress);

// The compound address of the provider for networkAddress.
Result BuildLobbyAddress(DirectPlayLobby& lobby, const Guid& provider, std::string_view networkAddress,
                         std::vector<std::uint8_t>& address);

// What the launch reads from the lobby window.
struct LaunchFields {
    std::optional<Guid> application;
    std::optional<Guid> serviceProvider;
    std::string playerName;
    std::string sessionName;  // the room title; used by the host only
    std::string networkAddress;
    bool host = false;
};

// The host creates the session under the room's title, a joiner joins it.
ConnectionSettings ConnectionSettingsFor(const LaunchFields& fields, std::vector<std::uint8_t> address);

// Builds the address and runs the selected application; kNoInterface
// without a lobby object, kFail without an application or provider.
Result LaunchDirectPlayGame(DirectPlayLobby* lobby, const LaunchFields& fields);

} // namespace dplay
