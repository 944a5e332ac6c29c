#include "common/win32/list_box.h"

#include "common/win32/text.h"

namespace win::list_box {

int AddLine(HWND list, std::string_view line, bool scrollTo) {
    LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
    if (index < 0) return -1;
    if (scrollTo) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    return static_cast<int>(index);
}

void ScrollToLast::Request(HWND list, int index) {
    list_ = list;
    index_ = index;
    if (!posted_) posted_ = PostMessageW(GetParent(list), message_, 0, 0) != FALSE;
}

void ScrollToLast::Apply() {
    posted_ = false;
    if (list_ && IsWindow(list_) && index_ >= 0) SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(index_), 0);
}

void ReplaceLines(HWND list, const std::vector<std::string>& lines, bool selectEach) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const auto& line : lines) {
        int index = AddLine(list, line);
        if (selectEach && index >= 0) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

std::string SelectedLine(HWND list) {
    LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return {};
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    length = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return Narrow(text);
}

} // namespace win::list_box
