// Pointing StarCraft's Battle.net gateway list at a server and starting
// StarCraft. The lobby client and the server notebook share it; the caller
// hands in the registry, the process starter and the window its messages
// belong to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gateway {

// Registry values touched, all under HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kBattleNetKey = "Software\\Battle.net\\Configuration";
inline constexpr std::string_view kServerListValue = "Server List";
inline constexpr std::string_view kServerVersionValue = "Server Version";
inline constexpr std::uint32_t kServerVersion = 1;
inline constexpr std::string_view kStarcraftKey = "Software\\Blizzard Entertainment\\Starcraft";
inline constexpr std::string_view kProgramValue = "Program";

// The command is started from a 260-byte buffer, so it holds at most 259 bytes.
inline constexpr std::size_t kCommandBufferSize = 260;
inline constexpr std::size_t kMaxCommandBytes = kCommandBufferSize - 1;
// SW_SHOWDEFAULT
inline constexpr int kShowDefault = 10;

// The two failure messages; the lobby client words them its own way.
struct LaunchTexts {
    std::string_view keyCreateFailed;
    std::string_view keyCreateFailedCaption;
    std::string_view notInstalled;
    std::string_view notInstalledCaption;
};

inline constexpr LaunchTexts kNotebookTexts{"디렉토리 생성 실패", "알림",
                                            "스타크래프트가 인스톨되지 않았습니다.", "알림1"};

// How a launch ended. The two failures have been shown to the user; a caller
// may still act on them (the lobby client leaves its room).
enum class LaunchOutcome {
    kStarted,          // handed to the process starter, whether it ran or not
    kNoProgram,        // StarCraft's key has no usable "Program"; nothing shown
    kKeyCreateFailed,  // nothing written, nothing started
    kNotInstalled,     // the gateway was written, nothing started
};

// An open key; closed when the object goes away.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    virtual bool WriteString(std::string_view name, std::string_view text) = 0;
    virtual bool WriteDword(std::string_view name, std::uint32_t value) = 0;
    // nullopt when the value is missing or is no string.
    virtual std::optional<std::string> ReadString(std::string_view name) = 0;
};

// Keys of HKEY_LOCAL_MACHINE; null when the key cannot be had.
class Registry {
public:
    virtual ~Registry() = default;
    virtual std::unique_ptr<RegistryKey> OpenForWrite(std::string_view path) = 0;
    virtual std::unique_ptr<RegistryKey> OpenForRead(std::string_view path) = 0;
    virtual std::unique_ptr<RegistryKey> Create(std::string_view path) = 0;
};

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts a command line the way WinExec does; whether it started is not asked.
    virtual void Start(std::string_view command, int showMode) = 0;
};

// Message boxes owned by the launching window.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(std::string_view text, std::string_view caption) = 0;
};

struct LaunchServices {
    Registry& registry;
    ProgramStarter& starter;
    MessageSink& messages;
    LaunchTexts texts = kNotebookTexts;
};

// The gateway text is the whole "Server List": a host, a dotted address, or
// empty for the official gateways. A source is asked only once the Battle.net
// key is open, so a caller that reads the text from a file (and the name
// service) does so only when it can be written.
using GatewaySource = std::function<std::string()>;

LaunchOutcome LaunchWithGateway(const LaunchServices& services, const GatewaySource& gatewayText);
LaunchOutcome LaunchWithGateway(const LaunchServices& services, std::string_view gatewayText);

} // namespace gateway
