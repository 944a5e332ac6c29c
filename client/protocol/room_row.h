// The rows of the room list as "ROOMTITLE^" carries them: groups of eight
// fields, the last one "[END]" on the final row.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lobby {

inline constexpr std::size_t kRoomRowFields = 8;
inline constexpr int kRoomNumberCount = 66;  // room numbers 0 to 65

struct RoomRow {
    std::string title;
    int number = 0;
    std::string firstCount;
    std::string secondCount;
    std::string gameName;
    bool waiting = false;  // "대기중" when the seventh field is "YES", else "게임중"

    // "%d. [%s] %s (%s/%s) <%s>": number, game, title, counts, waiting or playing.
    std::string Text() const;
};

// The rows of the fields after the keyword. A row without its first seven
// fields is not shown and ends the list; a row ending in "[END]", or one with
// seven fields and no eighth, is the last.
std::vector<RoomRow> ParseRoomRows(const std::vector<std::string>& fields);

inline constexpr int kNoRoomNumber = -1000000;

// The room number at the start of a row text ("12. [..." gives 12), or
// kNoRoomNumber when the text has no ". " or starts with no number.
int RoomNumberOfRowText(const std::string& text);

} // namespace lobby
