#include "client/protocol/room_row.h"

#include "common/decimal.h"

namespace lobby {

std::string RoomRow::Text() const {
    return std::to_string(number) + ". [" + gameName + "] " + title + " (" + firstCount + "/" + secondCount + ") <" +
           (waiting ? "대기중" : "게임중") + ">";
}

std::vector<RoomRow> ParseRoomRows(const std::vector<std::string>& fields) {
    std::vector<RoomRow> rows;
    for (std::size_t at = 0; at + kRoomRowFields - 1 <= fields.size(); at += kRoomRowFields) {
        RoomRow row;
        row.title = fields[at];
        row.number = decimal::LeadingInt(fields[at + 1]);
        row.firstCount = fields[at + 3];
        row.secondCount = fields[at + 4];
        row.gameName = fields[at + 5];
        row.waiting = fields[at + 6] == "YES";
        rows.push_back(std::move(row));
        bool hasEnd = at + kRoomRowFields - 1 < fields.size();
        if (!hasEnd || fields[at + kRoomRowFields - 1] == "[END]") break;
    }
    return rows;
}

int RoomNumberOfRowText(const std::string& text) {
    if (text.empty() || text.find(". ") == std::string::npos) return kNoRoomNumber;
    std::size_t sign = text[0] == '-' ? 1 : 0;
    std::size_t end = sign;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == sign || end - sign > 9) return kNoRoomNumber;
    return decimal::LeadingInt(text.substr(0, end));
}

} // namespace lobby
