#include "game_list_view.h"

#include "game_records.h"
#include "text.h"

#include <array>

namespace game_list {
namespace {

void SetCell(HWND list, int row, int column, std::string_view text) {
    std::wstring wide = win::Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

} // namespace

void SetUp(HWND list, const ColumnWidths& widths) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const std::array<std::pair<const char*, int>, 3> columns{{
        {"게임이름", widths.name},
        {"게임경로", widths.directory},
        {"실행화일 이름", widths.executable},
    }};
    for (int index = 0; index < static_cast<int>(columns.size()); ++index) {
        const auto& [title, width] = columns[static_cast<std::size_t>(index)];
        std::wstring text = win::Widen(title);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = text.data();
        column.iSubItem = index;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
}

void Load(HWND list, const std::filesystem::path& gameIni) {
    ListView_DeleteAllItems(list);
    int row = 0;
    for (const auto& record : lobby::ReadGameRecords(gameIni)) {
        std::wstring name = win::Widen(record.name);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = name.data();
        int inserted = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (inserted < 0) continue;
        SetCell(list, inserted, 1, record.directory);
        SetCell(list, inserted, 2, record.executable);
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
