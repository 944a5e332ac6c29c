// The server notebook: one modal window is the program's whole life.
#include <winsock2.h>
#include <commctrl.h>

#include <array>

#include "common/win32/message_box.h"
#include "resource.h"
#include "gatelog/win32/server_notebook_dialog.h"
#include "common/win32/text.h"
#include "common/win32/winsock_use.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win::WinsockUse winsock;
    if (!winsock.Started()) {
        std::array<wchar_t, 128> text{};
        LoadStringW(instance, IDS_SOCKET_INIT_FAILED, text.data(), static_cast<int>(text.size()));
        win::ShowMessage(nullptr, win::Narrow(text.data()), "게이트록");
        return 0;
    }
    gatelog::ServerNotebookDialog notebook;
    notebook.RunModal(nullptr);
    return 0;
}
