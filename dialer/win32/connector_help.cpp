#include "dialer/win32/connector_help.h"

#include "common/win32/text.h"

#include <htmlhelp.h>

#include <filesystem>
#include <string>

namespace {

std::wstring HelpFile() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    // A long program directory needs a bigger buffer.
    while (length == path.size()) {
        path.resize(path.size() * 2);
        length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    }
    path.resize(length);
    return std::filesystem::path(path).replace_extension(L".chm").native();
}

} // namespace

void ShowConnectorHelp(HWND owner, std::string_view keyword) {
    const std::wstring file = HelpFile();
    if (keyword.empty()) {
        HtmlHelpW(owner, file.c_str(), HH_DISPLAY_TOC, 0);
        return;
    }
    std::wstring keywords = win::Widen(keyword);
    HH_AKLINK link{};
    link.cbStruct = sizeof link;
    link.pszKeywords = keywords.c_str();
    link.fIndexOnFail = TRUE;
    // A help viewer that cannot look keywords up still shows the contents.
    if (!HtmlHelpW(owner, file.c_str(), HH_KEYWORD_LOOKUP, reinterpret_cast<DWORD_PTR>(&link))) {
        HtmlHelpW(owner, file.c_str(), HH_DISPLAY_TOC, 0);
    }
}
