#include "dialer/win32/client_program.h"

#include "common/win32/current_directory.h"
#include "common/win32/message_box.h"
#include "common/win32/text.h"

#include <commdlg.h>

#include <string>
#include <vector>

namespace {

constexpr std::string_view kChooseSuffix = " 클라이언트 프로그램을 선택하시기 바랍니다.";
constexpr std::string_view kChooseCaption = "파일을 선택하세요...";

// The chosen program's path; empty when the user cancelled.
std::wstring ChooseProgram(HWND owner, std::string_view item) {
    // "<item> 실행화일 " then "*.EXE", each ending in a zero, and a zero after both.
    std::wstring filter = win::Widen(std::string(item) + " 실행화일 ");
    filter += L'\0';
    filter += L"*.EXE";
    filter += L'\0';
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring initial = L"*.exe";
    std::copy(initial.begin(), initial.end(), file.begin());
    OPENFILENAMEW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = owner;
    choice.lpstrFilter = filter.c_str();
    choice.lpstrFile = file.data();
    choice.nMaxFile = static_cast<DWORD>(file.size());
    choice.lpstrDefExt = L"EXE";
    choice.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    // The file dialog moves the current directory, which names the program's files.
    SavedCurrentDirectory kept;
    if (!GetOpenFileNameW(&choice)) return {};
    return file.data();
}

} // namespace

std::optional<std::string> ChooseClientProgram(HWND owner, std::string_view item) {
    win::ShowMessage(owner, std::string(item) + std::string(kChooseSuffix), kChooseCaption, MB_OK | MB_ICONINFORMATION);
    std::wstring path = ChooseProgram(owner, item);
    if (path.empty()) return std::nullopt;
    return win::Narrow(path);
}
