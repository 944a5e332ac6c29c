// A self-drawn progress bar that shows the percentage, or a text, centred on
// a two-colour bar. Painted off-screen in one block, so it never flickers and
// can be redrawn at once while the window's thread is busy fetching files.
#pragma once

#include "update/win32/percent_progress_bar_class.h"
#include "update/progress_bar_state.h"

#include <windows.h>

class PercentProgressBar {
public:
    struct Colours {
        COLORREF bar;
        COLORREF background;
        COLORREF textOnBackground;
        COLORREF textOnBar;
    };

    // Once per program, before a dialog template places the control.
    static bool Register(HINSTANCE instance);
    static PercentProgressBar* FromHandle(HWND window);

    void SetRange(int lower, int upper);
    void SetStep(int step) { state_.SetStep(step); }
    void SetColours(const Colours& colours) { colours_ = colours; }
    // Returns the previous position; redraws at once when the fill moved.
    int SetPosition(int position);
    int Step();

private:
    explicit PercentProgressBar(HWND window);

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void RedrawIfMoved();
    void Paint();
    void PaintInto(HDC dc, const RECT& client);
    LRESULT SetText(const wchar_t* text);
    LRESULT CopyText(WPARAM capacity, wchar_t* buffer) const;

    HWND window_;
    update::ProgressBarState state_;
    Colours colours_;
};
