// The lobby window's owner-drawn image buttons. A clicked button turns
// inactive and swallows further clicks until its handler makes it active
// again, so one action cannot be started twice while it runs.
#pragma once

#include <windows.h>

#include <array>

class LobbyImageButton {
public:
    enum State { kNormal = 0, kSelected = 1, kHovered = 2, kDisabledLook = 3 };

    LobbyImageButton() = default;
    ~LobbyImageButton();
    LobbyImageButton(const LobbyImageButton&) = delete;
    LobbyImageButton& operator=(const LobbyImageButton&) = delete;

    // Takes over the button window (an owner-drawn push button).
    void Attach(HWND button);
    HWND Handle() const { return button_; }

    // Resource ids of the images; 0 for one not given (the first is required).
    // Returns 1, or 0 when a given image cannot be loaded.
    int SetImages(int normal, int selected, int hovered, int disabledLook);
    // Sets the state and redraws; returns the button's previous check state.
    int SetState(int state);
    int GetState() const { return state_; }

    // The owner's WM_DRAWITEM for this button.
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(LPARAM lParam);
    // Whether the button's own handling of this mouse-up will click it.
    bool WillClick(LPARAM lParam) const;
    void ReleaseImages();
    void Redraw() const;

    HWND button_ = nullptr;
    int state_ = kNormal;
    bool tracking_ = false;
    // The left button went down on this button and it kept the capture since.
    bool pressedHere_ = false;
    HCURSOR handCursor_ = nullptr;
    std::array<HBITMAP, 4> images_{};
};
