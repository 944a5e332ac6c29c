// One entry of the server list file "bnet.ini": a fixed 317-byte record.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gatelog {

inline constexpr std::size_t kNameFieldSize = 61;
inline constexpr std::size_t kAddressFieldSize = 256;
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kAddressOffset = kNameOffset + kNameFieldSize;
inline constexpr std::size_t kServerRecordSize = kAddressOffset + kAddressFieldSize;
static_assert(kServerRecordSize == 317);

// Each field keeps a terminating zero.
inline constexpr std::size_t kMaxNameBytes = kNameFieldSize - 1;
inline constexpr std::size_t kMaxAddressBytes = kAddressFieldSize - 1;

using ServerRecord = std::array<char, kServerRecordSize>;

struct ServerEntry {
    std::string name;
    std::string address;
    bool operator==(const ServerEntry&) const = default;
};

// nullopt when a field would not fit with its terminating zero.
std::optional<ServerRecord> EncodeServerRecord(std::string_view name, std::string_view address);

// A field without a terminating zero (a damaged file) is read up to its limit.
ServerEntry DecodeServerRecord(const ServerRecord& record);

// Deleted entries stay in the file as free slots with an empty name.
inline bool IsFreeSlot(const ServerRecord& record) { return record[kNameOffset] == '\0'; }

} // namespace gatelog
