// The Remote Access Service as the connector uses it: the phonebook, the
// devices and the open connections. Results are RAS error codes, 0 for
// success. The Windows shell implements it with the real functions.
#pragma once

#include "dialer/phonebook_entry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialer {

inline constexpr std::uint32_t kRasSuccess = 0;
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrorBufferTooSmall = 603;

// The two-step read of an entry's properties: a size probe that should ask
// for a bigger buffer, then the read itself.
enum class EntryRead {
    kRead,
    kProbeRefused,  // the probe answered an error other than "buffer too small", such as no such entry
    kReadFailed,    // the read failed, or the probe answered 0 and left nothing to read
};

struct EntryLookup {
    EntryRead outcome = EntryRead::kProbeRefused;
    PhonebookEntry entry;
};

struct DeviceList {
    std::uint32_t result = kRasSuccess;
    std::vector<RasDevice> devices;
};

struct EntryNameList {
    std::uint32_t result = kRasSuccess;
    std::vector<std::string> names;
};

using ConnectionHandle = std::uintptr_t;

struct ConnectionList {
    std::uint32_t result = kRasSuccess;
    std::vector<ConnectionHandle> connections;
};

struct DialStart {
    std::uint32_t result = kRasSuccess;
    ConnectionHandle connection = 0;
};

class RasService {
public:
    virtual ~RasService() = default;

    // Finds the phonebook functions; false when the system has none.
    virtual bool BindPhonebookApi() = 0;
    virtual EntryLookup GetEntry(std::string_view name) = 0;
    virtual std::uint32_t SetEntry(std::string_view name, const PhonebookEntry& entry) = 0;
    virtual std::uint32_t DeleteEntry(std::string_view name) = 0;
    virtual DeviceList EnumDevices() = 0;
    virtual EntryNameList EnumEntries() = 0;
    virtual ConnectionList EnumConnections() = 0;
    virtual std::uint32_t HangUp(ConnectionHandle connection) = 0;
    // Starts dialing the entry; its progress comes back as connection states.
    virtual DialStart Dial(std::string_view entry) = 0;
    // The system's text for an error code; nullopt when it has none.
    virtual std::optional<std::string> ErrorText(std::uint32_t code) = 0;
};

} // namespace dialer
