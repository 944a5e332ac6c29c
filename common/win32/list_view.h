// Report-view list views with CP949 texts.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

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
// The text of a cell, "" when there is no such row.
std::string CellText(HWND list, int row, int column = 0);

// A row's cells from the first column on.
using Row = std::vector<std::string>;
// Replaces every row, repainting the list once.
void ReplaceRows(HWND list, const std::vector<Row>& rows);

} // namespace win::list_view
