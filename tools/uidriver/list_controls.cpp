#include "tools/uidriver/list_controls.h"

#include "tools/uidriver/failure.h"
#include "tools/uidriver/protocol.h"
#include "tools/uidriver/remote_process.h"
#include "tools/uidriver/window_search.h"

#include <commctrl.h>

#include <vector>

namespace uidriver {
namespace {

// Longest text read from one list-view cell, in UTF-16 units.
constexpr int kCellTextUnits = 1024;
// Guard against a control that claims absurd column counts.
constexpr int kMaxColumns = 64;

struct ItemMessages {
    UINT count;
    UINT textLength;
    UINT text;
    UINT currentSelection;
};
constexpr ItemMessages kListBoxMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL};
constexpr ItemMessages kComboBoxMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL};

std::string ReadItems(HWND control, const ItemMessages& messages) {
    auto count = SendOrFail(control, messages.count, 0, 0);
    std::vector<std::string> items;
    for (LRESULT i = 0; i < count; ++i) {
        auto length = SendOrFail(control, messages.textLength, static_cast<WPARAM>(i), 0);
        if (length < 0) throw Failure("cannot read item " + std::to_string(i));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        auto copied = SendOrFail(control, messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied >= 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
        items.push_back(JsonText(text));
    }
    auto selection = SendOrFail(control, messages.currentSelection, 0, 0);
    return JsonObject().Add("items", JsonArray(items)).Add("selection", selection < 0 ? -1 : selection).Str();
}

bool IsClass(HWND window, const wchar_t* name) { return lstrcmpiW(ClassName(window).c_str(), name) == 0; }

// A list-view item with its text buffer right behind it, inside the other process.
class RemoteItem {
public:
    explicit RemoteItem(HWND listView)
        : process_(listView), buffer_(SameBitness(process_), sizeof(LVITEMW) + kCellTextUnits * sizeof(wchar_t)) {}

    void Put(LVITEMW item) { buffer_.Write(&item, sizeof item); }
    LPARAM Item() const { return reinterpret_cast<LPARAM>(buffer_.Address()); }
    wchar_t* TextAddress() const { return static_cast<wchar_t*>(buffer_.Address(sizeof(LVITEMW))); }
    std::wstring Text(std::size_t units) const {
        std::wstring text(units, L'\0');
        if (units > 0) buffer_.Read(text.data(), units * sizeof(wchar_t), sizeof(LVITEMW));
        return text;
    }
    RemoteBuffer& Buffer() { return buffer_; }

private:
    static const ProcessAccess& SameBitness(const ProcessAccess& process) {
        RequireSameBitness(process);
        return process;
    }

    ProcessAccess process_;
    RemoteBuffer buffer_;
};

int CountColumns(HWND listView, RemoteItem& remote) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    static_assert(sizeof(LVCOLUMNW) <= sizeof(LVITEMW) + kCellTextUnits * sizeof(wchar_t));
    remote.Buffer().Write(&column, sizeof column);
    int columns = 0;
    while (columns < kMaxColumns && SendOrFail(listView, LVM_GETCOLUMNW, static_cast<WPARAM>(columns), remote.Item())) {
        ++columns;
    }
    return columns;
}

} // namespace

std::string ReadListBox(HWND listBox) { return ReadItems(listBox, kListBoxMessages); }

std::string ReadComboBox(HWND comboBox) { return ReadItems(comboBox, kComboBoxMessages); }

void SelectListItem(HWND control, int index) {
    const bool listBox = IsClass(control, L"ListBox");
    if (!listBox && !IsClass(control, L"ComboBox")) throw Failure("not a list box or combo box");
    auto result = SendOrFail(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (result < 0) throw Failure("no item " + std::to_string(index));
    WORD notification = listBox ? LBN_SELCHANGE : CBN_SELCHANGE;
    auto id = static_cast<WORD>(GetDlgCtrlID(control));
    PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(control));
}

std::string CountItems(HWND control) {
    UINT message = LVM_GETITEMCOUNT;
    if (IsClass(control, L"ListBox")) message = LB_GETCOUNT;
    else if (IsClass(control, L"ComboBox")) message = CB_GETCOUNT;
    else if (!IsClass(control, L"SysListView32")) throw Failure("not a list");
    return std::to_string(SendOrFail(control, message, 0, 0));
}

std::string ReadListView(HWND listView) {
    RemoteItem remote(listView);
    const int columns = CountColumns(listView, remote);
    const auto count = SendOrFail(listView, LVM_GETITEMCOUNT, 0, 0);
    std::vector<std::string> rows;
    std::vector<std::string> selected;
    for (LRESULT row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < (columns > 0 ? columns : 1); ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = remote.TextAddress();
            item.cchTextMax = kCellTextUnits;
            remote.Put(item);
            auto length = SendOrFail(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), remote.Item());
            auto units = static_cast<std::size_t>(length > 0 && length < kCellTextUnits ? length : 0);
            cells.push_back(JsonText(remote.Text(units)));
        }
        rows.push_back(JsonArray(cells));
        if (SendOrFail(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) {
            selected.push_back(std::to_string(row));
        }
    }
    return JsonObject().Add("columns", columns).Add("rows", JsonArray(rows)).Add("selected", JsonArray(selected)).Str();
}

void SelectListViewRow(HWND listView, int index) {
    if (index < 0 || index >= SendOrFail(listView, LVM_GETITEMCOUNT, 0, 0)) {
        throw Failure("no row " + std::to_string(index));
    }
    RemoteItem remote(listView);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.Put(item);
    if (!SendOrFail(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(index), remote.Item())) {
        throw Failure("the list view refused the selection");
    }
}

} // namespace uidriver
