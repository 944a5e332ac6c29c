// Report-view list views with CP949 texts.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace win::list_view {

struct Column {
    std::string_view title;
    int width;  // pixels
};

// Adds the columns, left-aligned, after any the list has.
void AddColumns(HWND list, std::initializer_list<Column> columns);
// Inserts a row at index with its first cell; the row it got, or -1.
int InsertRow(HWND list, int index, std::string_view firstCell);
void SetCell(HWND list, int row, int column, std::string_view text);

} // namespace win::list_view
