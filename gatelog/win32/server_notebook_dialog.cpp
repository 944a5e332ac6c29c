#include "gatelog/win32/server_notebook_dialog.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "gatelog/win32/add_server_dialog.h"
#include "common/win32/gateway_launcher.h"
#include "common/win32/hover_cursor.h"
#include "common/win32/list_view.h"
#include "common/win32/message_box.h"
#include "common/win32/program_path.h"
#include "resource.h"
#include "common/win32/text.h"

namespace gatelog {
namespace {

enum Column { kNameColumn, kStatusColumn, kAddressColumn };


constexpr std::array<int, 7> kButtons{IDC_MEASURE,        IDC_ADD_SERVER,      IDC_DELETE_SERVER, IDC_CONNECT_LISTED,
                                      IDC_CONNECT_SERVICE, IDC_CONNECT_OFFICIAL, IDOK};


HCURSOR OwnCursor(int id) { return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }


} // namespace

ServerNotebookDialog::ServerNotebookDialog()
    : MainDialog(IDD_SERVER_NOTEBOOK, {IDI_NOTEBOOK, IDM_ABOUT, IDS_ABOUT_ENTRY, IDD_ABOUT}),
      notebook_(win::ProgramFile("config/bnet.ini"), *this, *this) {
    OnClick(IDC_MEASURE, [this] { Measure(); });
    OnClick(IDC_ADD_SERVER, [this] { AddServer(); });
    OnClick(IDC_DELETE_SERVER, [this] { notebook_.DeleteRemembered(); });
    OnClick(IDC_CONNECT_LISTED, [this] { notebook_.ConnectRemembered(); });
    OnClick(IDC_CONNECT_SERVICE, [this] { notebook_.ConnectServiceServer(); });
    OnClick(IDC_CONNECT_OFFICIAL, [this] { notebook_.ConnectOfficial(); });
    OnRowChange(IDC_SERVER_LIST, [this](int row) {
        notebook_.OnItemChanged(row);
        SetCursor(pickedCursor_);
    });
    OnMessage(WM_PING_DONE, [this](WPARAM, LPARAM) -> INT_PTR {
        if (pingJob_) {
            std::string result = std::move(pingJob_->result);
            pingJob_.reset();
            notebook_.OnMeasurementDone(result);
        }
        // What the worker's SendMessage returns.
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, 1);
        return TRUE;
    });
}

bool ServerNotebookDialog::OnInitDialog() {
    MainDialog::OnInitDialog();
    hoverCursor_ = OwnCursor(IDC_HOVER);
    pickedCursor_ = OwnCursor(IDC_PICKED);
    AttachHoverCursors();
    SetUpList();
    notebook_.Load();
    return true;
}

void ServerNotebookDialog::SetUpList() {
    HWND list = Item(IDC_SERVER_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    win::list_view::AddColumns(list, {{"서버명", 80}, {"네트웍상태", 150}, {"서버주소", 100}});
}

void ServerNotebookDialog::AttachHoverCursors() {
    win::HoverCursor::Attach(Item(IDC_SERVER_LIST), hoverCursor_);
    for (int id : kButtons) win::HoverCursor::Attach(Item(id), hoverCursor_);
}

void ServerNotebookDialog::AddServer() {
    AddServerDialog dialog(notebook_.File());
    if (dialog.RunModal(Handle()) == IDOK) notebook_.AddRow(dialog.Entry());
    FocusList();
}

void ServerNotebookDialog::Measure() {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    notebook_.Measure();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void ServerNotebookDialog::ShowNotice(std::string_view text) { win::ShowMessage(Handle(), text, win::kNoticeCaption); }

void ServerNotebookDialog::InsertServerRow(int index, const ServerEntry& entry) {
    HWND list = Item(IDC_SERVER_LIST);
    int row = win::list_view::InsertRow(list, index, entry.name);
    win::list_view::SetCell(list, row, kStatusColumn, kUncheckedStatus);
    win::list_view::SetCell(list, row, kAddressColumn, entry.address);
    UpdateWindow(Handle());
}

void ServerNotebookDialog::DeleteServerRow(int index) { ListView_DeleteItem(Item(IDC_SERVER_LIST), index); }

void ServerNotebookDialog::SetRowStatus(int index, std::string_view text) {
    win::list_view::SetCell(Item(IDC_SERVER_LIST), index, kStatusColumn, text);
}

void ServerNotebookDialog::FocusList() { SetFocus(Item(IDC_SERVER_LIST)); }

bool ServerNotebookDialog::StartMeasurement(const std::string& address) {
    pingJob_ = std::make_shared<PingJob>();
    pingJob_->window = Handle();
    pingJob_->address = address;
    if (StartPingWorker(pingJob_)) return true;
    pingJob_.reset();
    return false;
}

void ServerNotebookDialog::LaunchWithGateway(std::string_view gatewayText) {
    win::LaunchWithGateway(Handle(), gatewayText);
}

std::string ServerNotebookDialog::ReadGameServerAddress() { return win::ReadGameServerAddress(); }

} // namespace gatelog
