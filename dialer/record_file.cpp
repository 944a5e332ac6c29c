#include "dialer/record_file.h"

#include <fstream>
#include <iterator>

namespace dialer {

std::string FieldText(std::string_view record, RecordField field) {
    if (field.offset >= record.size()) return {};
    std::string_view bytes = record.substr(field.offset, field.size);
    return std::string(bytes.substr(0, bytes.find('\0')));
}

bool PutField(std::string& record, RecordField field, std::string_view text) {
    if (text.size() >= field.size || field.offset + field.size > record.size()) return false;
    record.replace(field.offset, field.size, field.size, '\0');
    record.replace(field.offset, text.size(), text);
    return true;
}

std::optional<std::vector<std::string>> ReadRecords(const std::filesystem::path& file, std::size_t recordSize) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> records;
    std::string record(recordSize, '\0');
    while (in.read(record.data(), static_cast<std::streamsize>(recordSize))) records.push_back(record);
    return records;
}

bool WriteRecord(const std::filesystem::path& file, std::size_t index, std::string_view record) {
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    if (!out) {
        out.clear();
        out.open(file, std::ios::out | std::ios::binary);
        if (!out) return false;
    }
    out.seekp(static_cast<std::streamoff>(index * record.size()));
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    out.close();
    return !out.fail();
}

} // namespace dialer
