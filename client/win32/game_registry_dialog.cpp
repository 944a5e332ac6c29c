#include "client/win32/game_registry_dialog.h"

#include "client/win32/game_form_dialog.h"
#include "client/win32/game_list_view.h"
#include "client/games/game_registration.h"
#include "common/win32/list_view.h"
#include "common/win32/message_box.h"
#include "common/win32/program_path.h"
#include "resource.h"

#include <commctrl.h>

namespace {
constexpr game_list::ColumnWidths kColumnWidths{130, 150, 120};
}

GameRegistryDialog::GameRegistryDialog() : win::Dialog(IDD_GAME_REGISTRY) {
    OnClick(IDC_ADD_GAME, [this] { Add(); });
    OnClick(IDC_MODIFY_GAME, [this] { Modify(); });
    OnClick(IDC_DELETE_GAME, [this] { Delete(); });
    OnRowStateChange(IDC_REGISTERED_GAMES, [this](int row) {
        selectedRow_ = row;
        selectedName_ = win::list_view::CellText(Item(IDC_REGISTERED_GAMES), row);
    });
}

bool GameRegistryDialog::OnInitDialog() {
    game_list::SetUp(Item(IDC_REGISTERED_GAMES), kColumnWidths);
    Reload();
    return true;
}

bool GameRegistryDialog::PreTranslateMessage(MSG& msg) { return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE; }

void GameRegistryDialog::Reload() {
    game_list::Load(Item(IDC_REGISTERED_GAMES), win::ProgramFile("config/game.ini"));
    // A reloaded list shows no selection, so none is remembered either.
    selectedRow_ = -1;
}

bool GameRegistryDialog::HasSelection() const {
    if (selectedRow_ >= 0) return true;
    win::ShowMessage(Handle(), lobby::kSelectGameFirst, win::kNoticeCaption);
    return false;
}

void GameRegistryDialog::Add() {
    GameFormDialog form(lobby::GameFormMode::kAdd, "");
    form.RunModal(Handle());
    Reload();
}

void GameRegistryDialog::Modify() {
    if (!HasSelection()) return;
    GameFormDialog form(lobby::GameFormMode::kModify, selectedName_);
    form.RunModal(Handle());
    Reload();
}

void GameRegistryDialog::Delete() {
    if (!HasSelection()) return;
    lobby::DeleteGameRecord(win::ProgramFile("config/game.ini"), selectedName_);
    ListView_DeleteItem(Item(IDC_REGISTERED_GAMES), selectedRow_);
    selectedRow_ = -1;
}
