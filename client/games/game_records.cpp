#include "client/games/game_records.h"

#include "common/config_file.h"

#include <fstream>

namespace lobby {
namespace {

struct Slot {
    std::size_t offset;
    GameRecord record;
};

std::string FieldText(std::string_view field) { return std::string(field.substr(0, field.find('\0'))); }

// Every whole record, free slots included.
std::vector<Slot> ParseSlots(std::string_view content) {
    std::vector<Slot> slots;
    for (std::size_t offset = 0; offset + kGameRecordSize <= content.size(); offset += kGameRecordSize) {
        std::string_view record = content.substr(offset, kGameRecordSize);
        slots.push_back({offset,
                         {FieldText(record.substr(0, kGameNameSize)),
                          FieldText(record.substr(kGameNameSize, kGamePathSize)),
                          FieldText(record.substr(kGameNameSize + kGamePathSize, kGameExeSize))}});
    }
    return slots;
}

std::vector<Slot> ReadSlots(const std::filesystem::path& gameIni) {
    auto content = config::ReadWholeFile(gameIni);
    return content ? ParseSlots(*content) : std::vector<Slot>{};
}

bool IsFree(const Slot& slot) { return slot.record.name.empty(); }

std::optional<Slot> FindUsed(const std::filesystem::path& gameIni, std::string_view name) {
    for (auto& slot : ReadSlots(gameIni)) {
        if (!IsFree(slot) && slot.record.name == name) return slot;
    }
    return std::nullopt;
}

bool WriteAt(const std::filesystem::path& gameIni, std::size_t offset, const std::string& bytes) {
    std::fstream file(gameIni, std::ios::in | std::ios::out | std::ios::binary);
    if (!file) return false;
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    return static_cast<bool>(file);
}

bool PutText(std::string& record, std::size_t offset, std::size_t maxBytes, const std::string& text) {
    if (text.size() > maxBytes) return false;
    // Bytes after an embedded zero would hide behind the terminator: they stay zero.
    std::string_view shown = std::string_view(text).substr(0, text.find('\0'));
    record.replace(offset, shown.size(), shown);
    return true;
}

} // namespace

std::optional<std::string> EncodeGameRecord(const GameRecord& record) {
    std::string bytes(kGameRecordSize, '\0');
    bool fits = PutText(bytes, 0, kGameNameMaxBytes, record.name) &&
                PutText(bytes, kGameNameSize, kGamePathMaxBytes, record.directory) &&
                PutText(bytes, kGameNameSize + kGamePathSize, kGameExeMaxBytes, record.executable);
    if (!fits) return std::nullopt;
    return bytes;
}

std::vector<GameRecord> ParseGameRecords(std::string_view content) {
    std::vector<GameRecord> records;
    for (auto& slot : ParseSlots(content)) {
        if (!IsFree(slot)) records.push_back(std::move(slot.record));
    }
    return records;
}

std::vector<GameRecord> ReadGameRecords(const std::filesystem::path& gameIni) {
    auto content = config::ReadWholeFile(gameIni);
    return content ? ParseGameRecords(*content) : std::vector<GameRecord>{};
}

std::optional<GameRecord> FindGameRecord(const std::filesystem::path& gameIni, std::string_view name) {
    auto slot = FindUsed(gameIni, name);
    if (!slot) return std::nullopt;
    return slot->record;
}

std::optional<GameRecord> GameRecordAtRow(const std::filesystem::path& gameIni, int row) {
    auto records = ReadGameRecords(gameIni);
    if (row < 0 || static_cast<std::size_t>(row) >= records.size()) return std::nullopt;
    return records[static_cast<std::size_t>(row)];
}

bool GameRecordExists(const std::filesystem::path& gameIni, std::string_view name) {
    return FindUsed(gameIni, name).has_value();
}

bool OpenOrCreateGameFile(const std::filesystem::path& gameIni) {
    std::error_code error;
    if (std::filesystem::is_directory(gameIni, error)) return false;
    if (std::fstream(gameIni, std::ios::in | std::ios::out | std::ios::binary)) return true;
    return static_cast<bool>(std::ofstream(gameIni, std::ios::app | std::ios::binary));
}

bool AddGameRecord(const std::filesystem::path& gameIni, const GameRecord& record) {
    auto bytes = EncodeGameRecord(record);
    if (!bytes || !OpenOrCreateGameFile(gameIni)) return false;
    auto slots = ReadSlots(gameIni);
    std::size_t offset = slots.size() * kGameRecordSize;
    for (const auto& slot : slots) {
        if (IsFree(slot)) {
            offset = slot.offset;
            break;
        }
    }
    return WriteAt(gameIni, offset, *bytes);
}

bool ModifyGameRecord(const std::filesystem::path& gameIni, std::string_view previousName,
                      const GameRecord& record) {
    auto bytes = EncodeGameRecord(record);
    if (!bytes) return false;
    auto slot = FindUsed(gameIni, previousName);
    return slot && WriteAt(gameIni, slot->offset, *bytes);
}

void DeleteGameRecord(const std::filesystem::path& gameIni, std::string_view name) {
    if (auto slot = FindUsed(gameIni, name)) WriteAt(gameIni, slot->offset, std::string(kGameRecordSize, '\0'));
}

} // namespace lobby
