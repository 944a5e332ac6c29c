#include "dialer/setup_file.h"

#include "common/cp949.h"

#include <array>
#include <fstream>

namespace dialer {

std::optional<SetupSettings> ReadSetup(const std::filesystem::path& file) {
    auto records = ReadRecords(file, kSetupRecordSize);
    if (!records) return std::nullopt;
    SetupSettings settings;
    for (const std::string& record : *records) {
        std::string tag = FieldText(record, kSetupTag);
        std::string value = FieldText(record, kSetupValue);
        if (tag == kNumberTag) {
            settings.linePrefix = value;
        } else if (tag == kAutoTag) {
            settings.reserved = value == kYes;
        } else if (tag == kAutoItemTag) {
            settings.reservedItem = value;
        }
    }
    return settings;
}

bool WriteSetup(const std::filesystem::path& file, const SetupSettings& settings) {
    const std::array<std::pair<std::string_view, std::string_view>, 3> values{{
        {kNumberTag, settings.linePrefix},
        {kAutoTag, settings.reserved ? kYes : kNo},
        {kAutoItemTag, settings.reservedItem},
    }};
    std::string bytes;
    for (const auto& [tag, value] : values) {
        std::string record(kSetupRecordSize, '\0');
        PutField(record, kSetupTag, tag);
        PutField(record, kSetupValue, cp949::CutToBytes(value, kSetupValue.size - 1));
        bytes += record;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace dialer
