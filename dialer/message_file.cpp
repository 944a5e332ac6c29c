#include "dialer/message_file.h"

#include "dialer/setup_file.h"

#include <algorithm>

namespace dialer {

bool SkipsQuestion(const std::filesystem::path& file, std::string_view item) {
    auto records = ReadRecords(file, kMessageRecordSize);
    if (!records) return false;
    auto found = std::find_if(records->begin(), records->end(),
                              [&](const std::string& record) { return FieldText(record, kMessageName) == item; });
    return found != records->end() && FieldText(*found, kMessageFlag) == kYes;
}

bool SetSkipsQuestion(const std::filesystem::path& file, std::string_view item, bool skip) {
    std::string record(kMessageRecordSize, '\0');
    if (!PutField(record, kMessageName, item)) return false;
    PutField(record, kMessageFlag, skip ? kYes : kNo);
    auto records = ReadRecords(file, kMessageRecordSize).value_or(std::vector<std::string>{});
    auto found = std::find_if(records.begin(), records.end(),
                              [&](const std::string& old) { return FieldText(old, kMessageName) == item; });
    return WriteRecord(file, static_cast<std::size_t>(found - records.begin()), record);
}

} // namespace dialer
