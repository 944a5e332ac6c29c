// Configuration and record files as a user or an update may leave them.
#include "common/config_file.h"
#include "client/games/game_records.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view content(reinterpret_cast<const char*>(data), size);
    for (const auto& line : config::SplitLinePieces(content)) {
        if (line.size() > config::kMaxLinePiece) __builtin_trap();
        config::LineScanner scan(line);
        std::string word;
        int number = 0;
        while (scan.Word(word) || scan.Number(number)) {
        }
        config::SplitFields(line);
    }
    for (const auto& record : lobby::ParseGameRecords(content)) {
        if (record.name.size() > lobby::kGameNameSize || record.directory.size() > lobby::kGamePathSize) __builtin_trap();
    }
    return 0;
}
