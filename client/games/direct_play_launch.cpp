#include "client/games/direct_play_launch.h"

#include "common/cp949.h"

#include <algorithm>

namespace dplay {
namespace {

// A compound address holds a few elements; a larger size is not one.
constexpr std::uint32_t kMaxAddressSize = 64 * 1024;

std::string_view FieldText(std::string_view text) { return cp949::CutToBytes(text, kFieldMaxBytes); }

std::vector<std::uint8_t> TerminatedString(std::string_view text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

std::vector<std::uint8_t> GuidBytes(const Guid& guid) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&guid);
    return {bytes, bytes + kGuidSize};
}

bool OffersInternetAddress(const std::vector<Guid>& types) {
    auto counted = types.begin() + static_cast<std::ptrdiff_t>(std::min(types.size(), kMaxAddressTypes));
    return std::find(types.begin(), counted, kAddressInet) != counted;
}

} // namespace

Result ChooseServiceProvider(DirectPlayLobby& lobby, GuidList& providers) {
    int count = providers.Count();
    for (int index = 0; index < count; ++index) {
        providers.Select(index);
        auto provider = providers.GuidAt(index);
        if (!provider) continue;  // an entry without its GUID offers nothing
        std::vector<Guid> types;
        if (Result result = lobby.EnumAddressTypes(*provider, types); !Succeeded(result)) return result;
        if (OffersInternetAddress(types)) return kOk;
    }
    providers.Select(count);
    return kOk;
}

std::optional<std::vector<AddressElement>> AddressElements(const Guid& provider, const std::vector<Guid>& types,
                                                           std::string_view networkAddress) {
    std::vector<AddressElement> elements{{kAddressServiceProvider, GuidBytes(provider)}};
    std::size_t counted = std::min(types.size(), kMaxAddressTypes);
    for (std::size_t i = 0; i < counted; ++i) {
        const Guid& type = types[i];
        // No field holds a phone number or a modem name: those stay empty.
        if (type == kAddressPhone || type == kAddressModem) elements.push_back({type, TerminatedString("")});
        if (type == kAddressInet) elements.push_back({type, TerminatedString(FieldText(networkAddress))});
    }
    if (elements.size() == 1) return std::nullopt;
    return elements;
}

Result BuildLobbyAddress(DirectPlayLobby& lobby, const Guid& provider, std::string_view networkAddress,
                         std::vector<std::uint8_t>& address) {
    std::vector<Guid> types;
    if (Result result = lobby.EnumAddressTypes(provider, types); !Succeeded(result)) return result;
    auto elements = AddressElements(provider, types, networkAddress);
    if (!elements) return kFail;
    std::uint32_t size = 0;
    Result query = lobby.CreateCompoundAddress(*elements, nullptr, size);
    if (query != kBufferTooSmall) return Succeeded(query) ? kFail : query;
    if (size == 0 || size > kMaxAddressSize) return kOutOfMemory;
    std::vector<std::uint8_t> block(size, 0);
    std::uint32_t written = size;
    if (Result result = lobby.CreateCompoundAddress(*elements, block.data(), written); !Succeeded(result)) {
        return result;
    }
    block.resize(std::min(written, size));
    address = std::move(block);
    return kOk;
}

ConnectionSettings ConnectionSettingsFor(const LaunchFields& fields, std::vector<std::uint8_t> address) {
    ConnectionSettings settings;
    settings.flags = fields.host ? kCreateSession : kJoinSession;
    settings.instance = kSessionInstance;
    settings.application = fields.application.value_or(Guid{});
    if (fields.host) settings.sessionName = std::string(FieldText(fields.sessionName));
    settings.playerName = std::string(FieldText(fields.playerName));
    settings.serviceProvider = fields.serviceProvider.value_or(Guid{});
    settings.address = std::move(address);
    return settings;
}

Result LaunchDirectPlayGame(DirectPlayLobby* lobby, const LaunchFields& fields) {
    if (!fields.application || !fields.serviceProvider) return kFail;
    if (!lobby) return kNoInterface;
    std::vector<std::uint8_t> address;
    if (Result result = BuildLobbyAddress(*lobby, *fields.serviceProvider, fields.networkAddress, address);
        !Succeeded(result)) {
        return result;
    }
    return lobby->RunApplication(ConnectionSettingsFor(fields, std::move(address)));
}

} // namespace dplay
