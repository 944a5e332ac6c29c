// The server list file "bnet.ini": ServerRecords back to back, no header.
// Deleting zeroes a record and leaves the slot; the file never shrinks.
// Records are read and written whole, at multiples of the record size, so a
// damaged tail shorter than a record is never read and is overwritten by the
// next record stored at the end.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "gatelog/server_record.h"

namespace gatelog {

// The whole records of the file, free slots included; empty when it cannot be read.
std::vector<ServerRecord> ReadServerRecords(const std::filesystem::path& file);

// The entries of the file in file order, free slots skipped.
std::vector<ServerEntry> LoadServerEntries(const std::filesystem::path& file);

// True when an entry holds exactly this address (bytes and case); never for "".
bool ServerRecordExists(const std::filesystem::path& file, std::string_view address);

enum class AppendResult { kStored, kCreateFailed, kWriteFailed };

// Stores the entry in the first free slot, else after the last whole record.
// The file is created when missing; its folder is not.
AppendResult AppendServerRecord(const std::filesystem::path& file, std::string_view name, std::string_view address);

// Zeroes the first entry with this address; false when none was zeroed.
bool DeleteServerRecord(const std::filesystem::path& file, std::string_view address);

} // namespace gatelog
