// The DirectPlay lobby as the lobby client drives it: identifiers, result
// codes, the records a launch hands over, and the lobby object's interface.
// The Win32 shell implements it over dplayx; tests use a fake.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace dplay {

// Laid out as the platform's GUID, so the shell can copy it across.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;

    friend bool operator==(const Guid&, const Guid&) = default;
};
inline constexpr std::size_t kGuidSize = 16;
static_assert(sizeof(Guid) == kGuidSize && std::is_trivially_copyable_v<Guid>);

inline constexpr Guid kIidDirectPlayLobby2A{0x1BB4AF80, 0xA303, 0x11D0, {0x9C, 0x4F, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E}};
inline constexpr Guid kAddressServiceProvider{0x07D916C0, 0xE0AF, 0x11CF, {0x9C, 0x4E, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E}};
inline constexpr Guid kAddressPhone{0x78EC89A0, 0xE0AF, 0x11CF, {0x9C, 0x4E, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E}};
inline constexpr Guid kAddressModem{0xF6DCC200, 0xA2FE, 0x11D0, {0x9C, 0x4F, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E}};
inline constexpr Guid kAddressInet{0xC4A54DA0, 0xE0AF, 0x11CF, {0x9C, 0x4E, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E}};
// Host and joiners share it, so a joiner finds the host's session at the
// given address without enumerating sessions.
inline constexpr Guid kSessionInstance{0xD559FC00, 0xDC12, 0x11CF, {0x9C, 0x4E, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E}};

// DirectPlay and COM results.
using Result = std::int32_t;
inline constexpr Result kOk = 0;
inline constexpr Result kFail = static_cast<Result>(0x80004005u);
inline constexpr Result kNoInterface = static_cast<Result>(0x80004002u);
inline constexpr Result kOutOfMemory = static_cast<Result>(0x8007000Eu);
inline constexpr Result kBufferTooSmall = static_cast<Result>(0x8877001Eu);
inline bool Succeeded(Result result) { return result >= 0; }

// Connection flags.
inline constexpr std::uint32_t kJoinSession = 1;
inline constexpr std::uint32_t kCreateSession = 2;

// Sizes of the records the platform takes, checked by the shell.
inline constexpr std::size_t kSessionDescriptionSize = 80;
inline constexpr std::size_t kPlayerNameSize = 16;
inline constexpr std::size_t kConnectionSize = 40;

// Room for address types while an address is built; more are ignored.
inline constexpr std::size_t kMaxAddressTypes = 10;

// The launch's text fields are read into 200-byte buffers.
inline constexpr std::size_t kFieldMaxBytes = 199;

// An application or service provider as DirectPlay enumerates it.
struct NamedGuid {
    std::string name;
    Guid guid{};
};

struct AddressElement {
    Guid type{};
    std::vector<std::uint8_t> data;

    friend bool operator==(const AddressElement&, const AddressElement&) = default;
};

// What RunApplication hands the game.
struct ConnectionSettings {
    std::uint32_t flags = 0;
    Guid instance{};
    Guid application{};
    // Absent for a joiner.
    std::optional<std::string> sessionName;
    std::string playerName;  // short and long name alike
    Guid serviceProvider{};
    std::vector<std::uint8_t> address;
};

class DirectPlayLobby {
public:
    virtual ~DirectPlayLobby() = default;

    virtual Result EnumLocalApplications(std::vector<NamedGuid>& applications) = 0;
    virtual Result EnumServiceProviders(std::vector<NamedGuid>& providers) = 0;
    // Every type reported, in order.
    virtual Result EnumAddressTypes(const Guid& provider, std::vector<Guid>& types) = 0;
    // With buffer null, size receives the size needed (kBufferTooSmall);
    // otherwise writes at most size bytes into buffer.
    virtual Result CreateCompoundAddress(const std::vector<AddressElement>& elements, void* buffer,
                                         std::uint32_t& size) = 0;
    virtual Result RunApplication(const ConnectionSettings& settings) = 0;
};

} // namespace dplay
