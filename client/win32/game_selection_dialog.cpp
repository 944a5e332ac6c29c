#include "client/win32/game_selection_dialog.h"

#include "client/win32/game_list_view.h"
#include "common/win32/program_path.h"
#include "resource.h"

namespace {
constexpr game_list::ColumnWidths kColumnWidths{120, 300, 120};
}

GameSelectionDialog::GameSelectionDialog(std::string hostAddress)
    : win::Dialog(IDD_GAME_SELECTION), hostAddress_(std::move(hostAddress)) {
    OnRowStateChange(IDC_SELECTABLE_GAMES, [this](int row) { selectedRow_ = row; });
}

bool GameSelectionDialog::OnInitDialog() {
    SetItemText(IDC_HOST_ADDRESS, hostAddress_);
    HWND list = Item(IDC_SELECTABLE_GAMES);
    game_list::SetUp(list, kColumnWidths);
    game_list::Load(list, win::ProgramFile("config/game.ini"));
    return true;
}

bool GameSelectionDialog::PreTranslateMessage(MSG& msg) { return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE; }
