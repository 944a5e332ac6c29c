#include "client/win32/game_form_dialog.h"

#include "common/cp949.h"
#include "common/win32/current_directory.h"
#include "client/win32/hand_cursor_button.h"
#include "common/win32/message_box.h"
#include "common/win32/program_path.h"
#include "client/program_title.h"
#include "resource.h"
#include "common/win32/text.h"

#include <commdlg.h>

#include <array>

namespace {

std::filesystem::path GameFile() { return win::ProgramFile("config/game.ini"); }

// The file-open dialog's filter: pairs of zero-terminated texts, then an empty one.
std::wstring ExecutableFilter() { return win::Widen("EXE 파일 ") + L'\0' + L"*.EXE" + L'\0' + L'\0'; }

} // namespace

GameFormDialog::GameFormDialog(lobby::GameFormMode mode, std::string previousName)
    : win::Dialog(IDD_GAME_FORM), mode_(mode),
      previousName_(cp949::CutToBytes(previousName, lobby::kGameNameMaxBytes)) {
    OnCommand(IDC_GAME_NAME, EN_CHANGE, [this] { CheckLength(IDC_GAME_NAME, lobby::GameField::kName); });
    OnCommand(IDC_GAME_DIRECTORY, EN_CHANGE, [this] { CheckLength(IDC_GAME_DIRECTORY, lobby::GameField::kDirectory); });
    OnCommand(IDC_GAME_EXECUTABLE, EN_CHANGE,
              [this] { CheckLength(IDC_GAME_EXECUTABLE, lobby::GameField::kExecutable); });
    OnClick(IDC_BROWSE_GAME, [this] { Browse(); });
}

bool GameFormDialog::OnInitDialog() {
    for (int id : {IDOK, IDCANCEL, IDC_BROWSE_GAME}) HandCursorButton::Attach(Item(id));
    if (mode_ == lobby::GameFormMode::kModify) {
        if (auto record = lobby::FindGameRecord(GameFile(), previousName_)) {
            SetItemText(IDC_GAME_NAME, record->name);
            SetItemText(IDC_GAME_DIRECTORY, record->directory);
            SetItemText(IDC_GAME_EXECUTABLE, record->executable);
        }
    }
    return true;
}

lobby::GameRecord GameFormDialog::Form() const {
    return {ItemText(IDC_GAME_NAME), ItemText(IDC_GAME_DIRECTORY), ItemText(IDC_GAME_EXECUTABLE)};
}

void GameFormDialog::Refuse(lobby::GameFormCheck check) {
    if (check == lobby::GameFormCheck::kNameHasCaret) {
        win::ShowMessage(Handle(), cp949::kCaretRefusal, win::kNoticeCaption, MB_OK | MB_ICONSTOP);
    } else {
        win::ShowMessage(Handle(), lobby::GameFormCheckText(check), kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
    }
}

void GameFormDialog::CheckLength(int id, lobby::GameField field) {
    auto check = lobby::CheckFieldLength(field, ItemText(id));
    if (check != lobby::GameFormCheck::kAccepted) Refuse(check);
}

void GameFormDialog::Browse() {
    SavedCurrentDirectory saved;
    std::array<wchar_t, MAX_PATH> path{};
    std::wstring initial = win::Widen("게임 실행화일");
    initial.copy(path.data(), path.size() - 1);
    std::array<wchar_t, MAX_PATH> title{};
    std::wstring filter = ExecutableFilter();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrFileTitle = title.data();
    dialog.nMaxFileTitle = static_cast<DWORD>(title.size());
    dialog.lpstrDefExt = L"EXE";
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetOpenFileNameW(&dialog)) return;
    saved.Restore();
    auto chosen = lobby::SplitChosenExecutable(win::Narrow(path.data()), win::Narrow(title.data()));
    SetItemText(IDC_GAME_DIRECTORY, chosen.directory);
    SetItemText(IDC_GAME_EXECUTABLE, chosen.executable);
}

bool GameFormDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_ESCAPE) return true;
    if (msg.wParam != VK_RETURN) return false;
    if (cp949::HasCaret(ItemText(IDC_GAME_NAME))) {
        Refuse(lobby::GameFormCheck::kNameHasCaret);
    } else {
        OnOK();
    }
    return true;
}

void GameFormDialog::OnOK() {
    lobby::GameRecord form = Form();
    if (auto check = lobby::CheckGameForm(form); check != lobby::GameFormCheck::kAccepted) {
        Refuse(check);
        return;
    }
    auto result = lobby::SaveGameForm(GameFile(), mode_, previousName_, form);
    if (result != lobby::GameSaveResult::kSaved) {
        win::ShowMessage(Handle(), lobby::GameSaveResultText(result), win::kNoticeCaption);
        return;
    }
    End(IDOK);
}
