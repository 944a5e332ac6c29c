#include "gatelog/server_list_file.h"

#include <algorithm>
#include <fstream>

#include "common/config_file.h"

namespace gatelog {
namespace {

bool WriteRecordAt(const std::filesystem::path& file, std::size_t slot, const ServerRecord& record) {
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    if (!out) return false;
    out.seekp(static_cast<std::streamoff>(slot * kServerRecordSize));
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    out.flush();
    return static_cast<bool>(out);
}

AppendResult CreateWithRecord(const std::filesystem::path& file, const ServerRecord& record) {
    std::ofstream out(file, std::ios::binary);
    if (!out) return AppendResult::kCreateFailed;
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    out.flush();
    return out ? AppendResult::kStored : AppendResult::kWriteFailed;
}

// Index of the first stored entry with this address.
std::optional<std::size_t> FindAddress(const std::vector<ServerRecord>& records, std::string_view address) {
    if (address.empty()) return std::nullopt;
    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        if (!IsFreeSlot(records[slot]) && DecodeServerRecord(records[slot]).address == address) return slot;
    }
    return std::nullopt;
}

std::optional<std::vector<ServerRecord>> TryReadRecords(const std::filesystem::path& file) {
    auto content = config::ReadWholeFile(file);
    if (!content) return std::nullopt;
    std::vector<ServerRecord> records(content->size() / kServerRecordSize);
    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        std::copy_n(content->data() + slot * kServerRecordSize, kServerRecordSize, records[slot].begin());
    }
    return records;
}

} // namespace

std::vector<ServerRecord> ReadServerRecords(const std::filesystem::path& file) {
    return TryReadRecords(file).value_or(std::vector<ServerRecord>{});
}

std::vector<ServerEntry> LoadServerEntries(const std::filesystem::path& file) {
    std::vector<ServerEntry> entries;
    for (const auto& record : ReadServerRecords(file)) {
        if (!IsFreeSlot(record)) entries.push_back(DecodeServerRecord(record));
    }
    return entries;
}

bool ServerRecordExists(const std::filesystem::path& file, std::string_view address) {
    return FindAddress(ReadServerRecords(file), address).has_value();
}

AppendResult AppendServerRecord(const std::filesystem::path& file, std::string_view name, std::string_view address) {
    auto record = EncodeServerRecord(name, address);
    if (!record) return AppendResult::kWriteFailed;

    std::error_code error;
    auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) return CreateWithRecord(file, *record);
    if (!std::filesystem::is_regular_file(status)) return AppendResult::kWriteFailed;

    // Without the records there is no telling which slot is free.
    auto records = TryReadRecords(file);
    if (!records) return AppendResult::kWriteFailed;
    auto freeSlot = std::find_if(records->begin(), records->end(), IsFreeSlot);
    auto slot = static_cast<std::size_t>(freeSlot - records->begin());
    return WriteRecordAt(file, slot, *record) ? AppendResult::kStored : AppendResult::kWriteFailed;
}

bool DeleteServerRecord(const std::filesystem::path& file, std::string_view address) {
    auto slot = FindAddress(ReadServerRecords(file), address);
    return slot && WriteRecordAt(file, *slot, ServerRecord{});
}

} // namespace gatelog
