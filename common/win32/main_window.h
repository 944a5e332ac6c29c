// What every program's main window has alike: its icon (in the title bar and
// the task bar, painted while minimised, shown while dragged) and the about
// command in its system menu, which opens the about box.
#pragma once

#include <windows.h>

#include "common/win32/dialog.h"

namespace win {

struct MainWindowParts {
    int iconId;         // icon resource
    UINT aboutCommand;  // system-menu command id: below 0xF000, its low four bits zero
    UINT aboutTextId;   // string resource: the command's text
    int aboutTemplate;  // dialog template of the about box
};

// A program's main dialog.
class MainDialog : public Dialog {
public:
    MainDialog(int templateId, const MainWindowParts& parts);

protected:
    // Adds the about command and sets the icons: a subclass calls it first.
    bool OnInitDialog() override;
    // WM_PAINT while not minimised: true when the window painted itself.
    virtual bool OnPaint() { return false; }

private:
    MainWindowParts parts_;
    HICON icon_;
    HICON smallIcon_;
};

} // namespace win
