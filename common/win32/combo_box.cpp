#include "common/win32/combo_box.h"

#include "common/win32/text.h"

namespace win::combo_box {

void AddEntry(HWND combo, std::string_view text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string EntryText(HWND combo, int index) {
    if (index < 0) return {};
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    length = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return Narrow(text);
}

std::vector<std::string> Entries(HWND combo) {
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) entries.push_back(EntryText(combo, i));
    return entries;
}

} // namespace win::combo_box
