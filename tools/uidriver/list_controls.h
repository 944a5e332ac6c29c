// Reading and selecting the items of list boxes, combo boxes and list views
// of another process. Each returns the reply's JSON text.
#pragma once

#include <windows.h>

#include <string>

namespace uidriver {

// {"items": [...], "selection": index or -1}
std::string ReadListBox(HWND listBox);
std::string ReadComboBox(HWND comboBox);
// Selects an item as a click would: the parent is told of the change.
void SelectListItem(HWND listOrCombo, int index);

// {"columns": n, "rows": [[column texts]...], "selected": [indexes]}
std::string ReadListView(HWND listView);

// The number of items of a list box, combo box or list view: a cheap poll
// while a program is busy filling one.
std::string CountItems(HWND control);
// Selects and focuses one row; the parent gets LVN_ITEMCHANGED.
void SelectListViewRow(HWND listView, int index);

} // namespace uidriver
