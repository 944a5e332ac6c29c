// The connector: one modal window is the program's whole life.
#include "dialer/win32/connector_dialog.h"

#include <commctrl.h>

namespace {

class ConnectorApp {
public:
    // The common controls, then the window until it ends.
    void InitInstance() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ConnectorDialog dialog;
        dialog.RunModal(nullptr);
    }
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ConnectorApp().InitInstance();
    return 0;
}
