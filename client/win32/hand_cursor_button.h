// A push button that shows the hand cursor while the pointer is over it.
#pragma once

#include <windows.h>

class HandCursorButton {
public:
    // Subclasses button for the rest of its life; the cursor is resource 155.
    static void Attach(HWND button);
};
