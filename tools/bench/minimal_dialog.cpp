// A minimal Win32 dialog program: the start-up baseline of the benchmark and
// the target on which the end-to-end rig proves its driver. Run with the
// argument "crash" it faults right after its window appears, so the rig's
// crash detection can be checked.
#include "tools/bench/minimal_dialog_ids.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

constexpr UINT kCrashMessage = WM_APP + 1;
constexpr UINT kAboutCommand = 0x0010;

void FillRows(HWND list) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 90;
    column.pszText = const_cast<wchar_t*>(L"이름");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.pszText = const_cast<wchar_t*>(L"인원");
    column.cx = 60;
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    const wchar_t* rows[][2] = {{L"첫째 방", L"2"}, {L"둘째 방", L"12"}, {L"third", L"5"}};
    for (int i = 0; i < 3; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(rows[i][0]);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(rows[i][1]);
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void FillLists(HWND dialog) {
    for (const wchar_t* name : {L"kim", L"이순신", L"park"}) {
        SendDlgItemMessageW(dialog, IDC_NAMES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    for (const wchar_t* choice : {L"하나", L"둘"}) {
        SendDlgItemMessageW(dialog, IDC_CHOICES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    }
    SendDlgItemMessageW(dialog, IDC_CHOICES, CB_SETCURSEL, 1, 0);
}

void PrepareSystemMenu(HWND dialog) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, L"정보(&A)...");
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

// Reports which button closed the question, and what was selected, in the answer line.
void Ask(HWND dialog) {
    int pressed = MessageBoxW(dialog, L"계속할까요?", L"질문", MB_OKCANCEL | MB_ICONQUESTION);
    SetDlgItemTextW(dialog, IDC_ANSWER, std::to_wstring(pressed).c_str());
}

void ShowSelection(HWND dialog, const wchar_t* what, LRESULT index) {
    SetDlgItemTextW(dialog, IDC_ANSWER, (what + std::to_wstring(index)).c_str());
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FillRows(GetDlgItem(dialog, IDC_ROWS));
        FillLists(dialog);
        PrepareSystemMenu(dialog);
        if (lParam) PostMessageW(dialog, kCrashMessage, 0, 0);
        return TRUE;
    case kCrashMessage:
        *static_cast<volatile int*>(nullptr) = 1;
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == kAboutCommand) {
            MessageBoxW(dialog, L"최소 대화상자 1.0", L"정보", MB_OK);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMLISTVIEW*>(lParam);
        if (header->hdr.idFrom == IDC_ROWS && header->hdr.code == LVN_ITEMCHANGED && (header->uNewState & LVIS_SELECTED)) {
            ShowSelection(dialog, L"row ", header->iItem);
        }
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ASK:
            Ask(dialog);
            return TRUE;
        case IDC_NAMES:
            if (HIWORD(wParam) == LBN_SELCHANGE) ShowSelection(dialog, L"name ", SendDlgItemMessageW(dialog, IDC_NAMES, LB_GETCURSEL, 0, 0));
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    LPARAM crash = lstrcmpW(commandLine, L"crash") == 0;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MINIMAL), nullptr, DialogProcedure, crash);
    return 0;
}
