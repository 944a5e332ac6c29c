// The lobby client: one modal lobby window is the program's whole life.
#include "client/win32/lobby_dialog.h"
#include "client/program_title.h"
#include "resource.h"
#include "common/win32/text.h"
#include "common/win32/winsock_use.h"

#include <winsock2.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win::WinsockUse winsock;
    if (!winsock.Started()) {
        wchar_t text[128] = L"";
        LoadStringW(instance, IDS_SOCKET_INIT_FAILED, text, static_cast<int>(std::size(text)));
        MessageBoxW(nullptr, text, win::Widen(kProgramTitle).c_str(), MB_OK);
        return 0;
    }
    LobbyDialog lobby;
    lobby.RunModal(nullptr);
    return 0;
}
