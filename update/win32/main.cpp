// The updater: one modal window, hidden unless an update is offered, is the
// program's whole life.
#include "update/win32/percent_progress_bar.h"
#include "update/win32/update_dialog.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    PercentProgressBar::Register(instance);

    UpdateDialog dialog;
    dialog.RunModal(nullptr);
    return 0;
}
