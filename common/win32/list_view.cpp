#include "common/win32/list_view.h"

#include <commctrl.h>

#include <string>

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

} // namespace win::list_view
