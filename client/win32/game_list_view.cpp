#include "client/win32/game_list_view.h"

#include "client/games/game_records.h"
#include "common/win32/list_view.h"
#include "common/win32/text.h"

#include <array>

namespace game_list {
namespace {

} // namespace

void SetUp(HWND list, const ColumnWidths& widths) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    win::list_view::AddColumns(list, {{"게임이름", widths.name},
                                      {"게임경로", widths.directory},
                                      {"실행화일 이름", widths.executable}});
}

void Load(HWND list, const std::filesystem::path& gameIni) {
    ListView_DeleteAllItems(list);
    int row = 0;
    for (const auto& record : lobby::ReadGameRecords(gameIni)) {
        int inserted = win::list_view::InsertRow(list, row, record.name);
        if (inserted < 0) continue;
        win::list_view::SetCell(list, inserted, 1, record.directory);
        win::list_view::SetCell(list, inserted, 2, record.executable);
        row = inserted + 1;
    }
}

int RowOfStateChange(const NMHDR& header) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE)) return -1;
    return change.iItem;
}

std::string RowName(HWND list, int row) {
    // A name is at most 255 CP949 bytes, so this many UTF-16 units hold it.
    std::array<wchar_t, lobby::kGameNameSize> buffer{};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return win::Narrow(buffer.data());
}

} // namespace game_list
