#include "game_records.h"

#include "config_file.h"

namespace lobby {
namespace {

std::string FieldText(std::string_view field) { return std::string(field.substr(0, field.find('\0'))); }

} // namespace

std::vector<GameRecord> ParseGameRecords(std::string_view content) {
    std::vector<GameRecord> records;
    for (std::size_t offset = 0; offset + kGameRecordSize <= content.size(); offset += kGameRecordSize) {
        std::string_view record = content.substr(offset, kGameRecordSize);
        GameRecord game{FieldText(record.substr(0, kGameNameSize)),
                        FieldText(record.substr(kGameNameSize, kGamePathSize)),
                        FieldText(record.substr(kGameNameSize + kGamePathSize, kGameExeSize))};
        if (!game.name.empty()) records.push_back(std::move(game));
    }
    return records;
}

std::vector<GameRecord> ReadGameRecords(const std::filesystem::path& gameIni) {
    auto content = config::ReadWholeFile(gameIni);
    return content ? ParseGameRecords(*content) : std::vector<GameRecord>{};
}

} // namespace lobby
