#include "common/win32/list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "common/win32/redraw_pause.h"
#include "common/win32/text.h"

namespace win::list_view {

void AddColumns(HWND list, std::initializer_list<Column> columns) {
    int index = Header_GetItemCount(ListView_GetHeader(list));
    if (index < 0) index = 0;
    for (const Column& entry : columns) {
        std::wstring title = Widen(entry.title);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = entry.width;
        column.pszText = title.data();
        column.iSubItem = index;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
        ++index;
    }
}

int InsertRow(HWND list, int index, std::string_view firstCell) {
    std::wstring text = Widen(firstCell);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = text.data();
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCell(HWND list, int row, int column, std::string_view text) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string CellText(HWND list, int row, int column) {
    if (row < 0) return {};
    // The list copies at most the buffer's size less one and says how much it
    // copied: a full buffer may have cut the text, so it grows and asks again.
    constexpr std::size_t kLongestCell = 1 << 16;
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        auto length = static_cast<std::size_t>(
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size() || text.size() >= kLongestCell) {
            text.resize(std::min(length, text.size()));
            return Narrow(text);
        }
        text.resize(text.size() * 2);
    }
}

void ReplaceRows(HWND list, const std::vector<Row>& rows) {
    RedrawPause pause(list);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int next = 0;
    for (const Row& cells : rows) {
        if (cells.empty()) continue;
        int row = InsertRow(list, next, cells.front());
        if (row < 0) continue;
        for (std::size_t column = 1; column < cells.size(); ++column) {
            SetCell(list, row, static_cast<int>(column), cells[column]);
        }
        next = row + 1;
    }
}

} // namespace win::list_view
