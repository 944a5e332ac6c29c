#include "gatelog/server_record.h"

#include <algorithm>

namespace gatelog {
namespace {

std::string ReadField(const ServerRecord& record, std::size_t offset, std::size_t maxBytes) {
    std::string_view field(record.data() + offset, maxBytes);
    return std::string(field.substr(0, field.find('\0')));
}

} // namespace

std::optional<ServerRecord> EncodeServerRecord(std::string_view name, std::string_view address) {
    if (name.size() > kMaxNameBytes || address.size() > kMaxAddressBytes) return std::nullopt;
    ServerRecord record{};
    std::copy(name.begin(), name.end(), record.begin() + kNameOffset);
    std::copy(address.begin(), address.end(), record.begin() + kAddressOffset);
    return record;
}

ServerEntry DecodeServerRecord(const ServerRecord& record) {
    return {ReadField(record, kNameOffset, kMaxNameBytes), ReadField(record, kAddressOffset, kMaxAddressBytes)};
}

} // namespace gatelog
