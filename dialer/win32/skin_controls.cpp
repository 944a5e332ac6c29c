#include "dialer/win32/skin_controls.h"

#include "common/win32/hover_cursor.h"
#include "dialer/connector_messages.h"
#include "resource.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x534B4E;  // "SKN"
// The help control is this much bigger than its clip on each side.
constexpr int kClipMargin = 5;
constexpr int kClipOffset = 2;
constexpr UINT kEndlessly = static_cast<UINT>(-1);
} // namespace

SkinControl::~SkinControl() {
    if (control_) RemoveWindowSubclass(control_, Procedure, kSubclassId);
}

void SkinControl::Attach(HWND control) {
    control_ = control;
    win::HoverCursor::Attach(control, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR)));
    SetWindowSubclass(control, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void SkinControl::ReportHover(LPARAM clientPoint) const {
    POINT point{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ClientToScreen(control_, &point);
    RECT rect;
    GetWindowRect(control_, &rect);
    WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(control_));
    LPARAM screen = MAKELPARAM(point.x, point.y);
    HWND parent = GetParent(control_);
    if (!PtInRect(&rect, point) || !IsWindowEnabled(control_)) {
        SendMessageW(parent, WM_SKIN_HOVER, id, screen);
        return;
    }
    SendMessageW(parent, WM_SKIN_HOVER, id + kHoverInside, screen);
    SendMessageW(parent, WM_SKIN_HOVER_INSIDE, id, 0);
}

LRESULT CALLBACK SkinControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
    auto* control = reinterpret_cast<SkinControl*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, Procedure, kSubclassId);
        control->control_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (message == WM_MOUSEMOVE) control->ReportHover(lParam);
    LRESULT result = 0;
    if (control->OnMessage(message, wParam, lParam, result)) return result;
    return DefSubclassProc(window, message, wParam, lParam);
}

void SkinButton::SetPicture(const std::filesystem::path& file, HWND owner) {
    picture_ = std::make_unique<win::DibBitmap>(file, owner, dialer::text::kProgramTitle);
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool SkinButton::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_PAINT:
        win::PaintWindow(Handle(), picture_.get());
        result = 0;
        return true;
    case WM_RBUTTONUP:
        result = 0;
        return true;
    default:
        return false;
    }
}

void AnimatedHelpButton::SetClip(const std::filesystem::path& file) {
    clip_ = file;
    if (animation_) {
        SendMessageW(animation_, ACM_OPENW, 0, reinterpret_cast<LPARAM>(clip_.c_str()));
        Play();
    }
}

void AnimatedHelpButton::Play() const { SendMessageW(animation_, ACM_PLAY, kEndlessly, MAKELPARAM(0, -1)); }

void AnimatedHelpButton::CreateAnimation() {
    RECT client;
    GetClientRect(Handle(), &client);
    animation_ = CreateWindowExW(0, ANIMATE_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.left, client.top,
                                 client.right - client.left, client.bottom - client.top, Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!animation_) return;
    SendMessageW(animation_, ACM_OPENW, 0, reinterpret_cast<LPARAM>(clip_.c_str()));
    SetWindowPos(Handle(), nullptr, 0, 0, client.right + kClipMargin, client.bottom + kClipMargin,
                 SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(animation_, nullptr, kClipOffset, kClipOffset, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Play();
}

bool AnimatedHelpButton::OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) {
    // The clip starts once the control is first drawn and then loops by itself.
    if (message == WM_PAINT && !animation_) CreateAnimation();
    return false;
}
