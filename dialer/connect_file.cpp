#include "dialer/connect_file.h"

namespace dialer {

std::optional<std::string> FindClientProgram(const std::filesystem::path& file, std::string_view item) {
    auto records = ReadRecords(file, kConnectRecordSize);
    if (!records) return std::nullopt;
    for (const std::string& record : *records) {
        if (FieldText(record, kConnectName) == item) return FieldText(record, kConnectCommand);
    }
    return std::nullopt;
}

std::string ClientCommandLine(std::string_view path, std::string_view arguments) {
    return "\"" + std::string(path) + "\" " + std::string(arguments);
}

StoreResult AppendClientProgram(const std::filesystem::path& file, std::string_view item, std::string_view commandLine) {
    std::string record(kConnectRecordSize, '\0');
    if (!PutField(record, kConnectName, item) || !PutField(record, kConnectCommand, commandLine)) {
        return StoreResult::kTooLong;
    }
    std::size_t count = ReadRecords(file, kConnectRecordSize).value_or(std::vector<std::string>{}).size();
    return WriteRecord(file, count, record) ? StoreResult::kStored : StoreResult::kUnwritable;
}

} // namespace dialer
