#include "client/win32/lobby_image_button.h"

#include "resource.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x4C4942;  // "LIB"

// What can click a button: the left mouse button, and the space bar once
// the button has the focus.
bool IsClickingInput(UINT message, WPARAM wParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK) return true;
    return (message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_SPACE;
}
} // namespace

LobbyImageButton::~LobbyImageButton() {
    if (button_) RemoveWindowSubclass(button_, Procedure, kSubclassId);
    ReleaseImages();
}

void LobbyImageButton::Attach(HWND button) {
    button_ = button;
    SetWindowSubclass(button_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void LobbyImageButton::ReleaseImages() {
    for (HBITMAP& image : images_) {
        if (image) DeleteObject(image);
        image = nullptr;
    }
}

int LobbyImageButton::SetImages(int normal, int selected, int hovered, int disabledLook) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    handCursor_ = LoadCursorW(instance, MAKEINTRESOURCEW(IDR_HAND_CURSOR));
    ReleaseImages();
    const int ids[] = {normal, selected, hovered, disabledLook};
    for (std::size_t i = 0; i < images_.size(); ++i) {
        if (ids[i] == 0 && i > 0) continue;
        images_[i] = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(ids[i]), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        if (!images_[i]) return 0;
    }
    return 1;
}

int LobbyImageButton::SetState(int state) {
    int previous = static_cast<int>(SendMessageW(button_, BM_GETCHECK, 0, 0));
    state_ = state;
    switch (state) {
    case kNormal:
        EnableWindow(button_, TRUE);
        SendMessageW(button_, BM_SETSTATE, FALSE, 0);
        break;
    case kSelected:
        EnableWindow(button_, TRUE);
        break;
    case kHovered:
        EnableWindow(button_, TRUE);
        SendMessageW(button_, BM_SETSTATE, TRUE, 0);
        break;
    case kDisabledLook:
        SendMessageW(button_, BM_SETSTATE, FALSE, 0);
        break;
    default:
        break;
    }
    Redraw();
    return previous;
}

void LobbyImageButton::Redraw() const {
    InvalidateRect(button_, nullptr, FALSE);
    UpdateWindow(button_);
}

void LobbyImageButton::Draw(const DRAWITEMSTRUCT& item) const {
    // An unknown state looks normal; a known state without an image shows just the caption.
    HBITMAP image = (state_ >= 0 && state_ < static_cast<int>(images_.size())) ? images_[static_cast<std::size_t>(state_)]
                                                                                : images_[kNormal];
    HDC dc = item.hDC;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWFRAME));
    if (image) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, image);
        BITMAP size{};
        GetObjectW(image, sizeof size, &size);
        BitBlt(dc, item.rcItem.left, item.rcItem.top, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    wchar_t caption[128] = L"";
    int length = GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
    if (length <= 0) return;
    RECT rect = item.rcItem;
    if (state_ == kDisabledLook) {
        RECT shadow = rect;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, caption, length, &shadow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    DrawTextW(dc, caption, length, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

bool LobbyImageButton::WillClick(LPARAM lParam) const {
    RECT client;
    GetClientRect(button_, &client);
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    // The pushed look alone is not enough: a button that holds the capture
    // takes it on whenever the mouse button is down over it.
    return pressedHere_ && (SendMessageW(button_, BM_GETSTATE, 0, 0) & BST_PUSHED) && PtInRect(&client, point);
}

void LobbyImageButton::OnMouseMove(LPARAM lParam) {
    if ((!tracking_ || GetCapture() != button_) && state_ == kNormal) {
        SetCursor(handCursor_);
        tracking_ = true;
        state_ = kHovered;
        SetCapture(button_);
        Redraw();
        return;
    }
    RECT client;
    GetClientRect(button_, &client);
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (state_ == kHovered && !PtInRect(&client, point)) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        state_ = kNormal;
        tracking_ = false;
        Redraw();
        ReleaseCapture();
    }
}

LRESULT LobbyImageButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (state_ == kSelected && IsClickingInput(message, wParam)) return 0;
    switch (message) {
    case WM_MOUSEMOVE: {
        LRESULT result = DefSubclassProc(button_, message, wParam, lParam);
        OnMouseMove(lParam);
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressedHere_ = true;
        return DefSubclassProc(button_, message, wParam, lParam);
    case WM_LBUTTONUP: {
        // Only a release that clicks leaves the button selected: no handler
        // would ever put it back after a press that was dragged off it.
        if (WillClick(lParam)) SetState(kSelected);
        LRESULT result = DefSubclassProc(button_, message, wParam, lParam);
        pressedHere_ = false;
        return result;
    }
    case WM_CAPTURECHANGED:
        // The button forgets its press once it loses the capture.
        if (reinterpret_cast<HWND>(lParam) != button_) pressedHere_ = false;
        // The button's own mouse-up handling releases our hover capture.
        if (state_ == kHovered && reinterpret_cast<HWND>(lParam) != button_) {
            state_ = kNormal;
            tracking_ = false;
            Redraw();
        }
        return DefSubclassProc(button_, message, wParam, lParam);
    default:
        return DefSubclassProc(button_, message, wParam, lParam);
    }
}

LRESULT CALLBACK LobbyImageButton::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, Procedure, kSubclassId);
        reinterpret_cast<LobbyImageButton*>(self)->button_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return reinterpret_cast<LobbyImageButton*>(self)->OnMessage(message, wParam, lParam);
}
