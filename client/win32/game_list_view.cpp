#include "client/win32/game_list_view.h"

#include "client/games/game_records.h"
#include "common/win32/list_view.h"

#include <commctrl.h>

namespace game_list {

void SetUp(HWND list, const ColumnWidths& widths) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    win::list_view::AddColumns(list, {{"게임이름", widths.name},
                                      {"게임경로", widths.directory},
                                      {"실행화일 이름", widths.executable}});
}

void Load(HWND list, const std::filesystem::path& gameIni) {
    std::vector<win::list_view::Row> rows;
    for (auto& record : lobby::ReadGameRecords(gameIni)) {
        rows.push_back({std::move(record.name), std::move(record.directory), std::move(record.executable)});
    }
    win::list_view::ReplaceRows(list, rows);
}

} // namespace game_list
