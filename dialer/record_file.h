// Files of fixed-size records with zero-terminated text fields, the way the
// connector keeps its settings. A field never takes more than its size minus
// the terminating zero; a file whose size is not a whole number of records
// is read up to its last whole record, and writes land on record boundaries.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialer {

// One field of a record: where it starts and how many bytes it has.
struct RecordField {
    std::size_t offset;
    std::size_t size;
};

// The text of a field: its bytes up to the first zero.
std::string FieldText(std::string_view record, RecordField field);

// Puts text into a zero-filled field of record; false (and nothing written)
// when text does not fit with its terminating zero.
bool PutField(std::string& record, RecordField field, std::string_view text);

// Every whole record of the file; nullopt when it cannot be opened.
std::optional<std::vector<std::string>> ReadRecords(const std::filesystem::path& file, std::size_t recordSize);

// Writes record over record number index, or appends it after the last
// whole record when index is the count of whole records; the file is created
// when it is missing. False when the file cannot be opened or written.
bool WriteRecord(const std::filesystem::path& file, std::size_t index, std::string_view record);

} // namespace dialer
