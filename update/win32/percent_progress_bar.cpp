#include "update/win32/percent_progress_bar.h"

#include "common/win32/text.h"

#include <algorithm>
#include <string>

namespace {

// "굴림" at the size the bar was designed for.
constexpr int kFontHeight = 13;
constexpr int kFontWidth = 6;

RECT ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

// Draws text centred on the whole client area, visible only inside clip.
void DrawClippedLabel(HDC dc, const std::wstring& text, const RECT& client, const RECT& clip, COLORREF colour) {
    HRGN region = CreateRectRgnIndirect(&clip);
    SelectClipRgn(dc, region);
    SetTextColor(dc, colour);
    RECT box = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectClipRgn(dc, nullptr);
    DeleteObject(region);
}

} // namespace

bool PercentProgressBar::Register(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = PERCENT_PROGRESS_BAR_CLASS;
    return RegisterClassW(&windowClass) != 0;
}

PercentProgressBar* PercentProgressBar::FromHandle(HWND window) {
    return reinterpret_cast<PercentProgressBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

PercentProgressBar::PercentProgressBar(HWND window)
    : window_(window),
      colours_{GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT),
               GetSysColor(COLOR_WINDOW)} {}

LRESULT CALLBACK PercentProgressBar::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PercentProgressBar(window)));
    }
    PercentProgressBar* bar = FromHandle(window);
    if (!bar) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete bar;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return bar->Handle(message, wParam, lParam);
}

LRESULT PercentProgressBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        // Painting covers every pixel; erasing first would flicker.
        return TRUE;
    case WM_SIZE:
        state_.ForgetLastWidth();
        return 0;
    case WM_SETTEXT:
        return SetText(reinterpret_cast<const wchar_t*>(lParam));
    case WM_GETTEXT:
        return CopyText(wParam, reinterpret_cast<wchar_t*>(lParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(win::Widen(state_.Text()).size());
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void PercentProgressBar::SetRange(int lower, int upper) {
    state_.SetRange(lower, upper);
    RedrawIfMoved();
}

int PercentProgressBar::SetPosition(int position) {
    int previous = state_.SetPosition(position);
    RedrawIfMoved();
    return previous;
}

int PercentProgressBar::Step() {
    int previous = state_.Step();
    RedrawIfMoved();
    return previous;
}

void PercentProgressBar::RedrawIfMoved() {
    // The window's thread is blocked by transfers, so waiting for WM_PAINT would show nothing.
    if (state_.TakeRedraw(ClientRect(window_).right)) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

LRESULT PercentProgressBar::SetText(const wchar_t* text) {
    if (state_.SetText(win::Narrow(text ? text : L""))) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

LRESULT PercentProgressBar::CopyText(WPARAM capacity, wchar_t* buffer) const {
    if (!buffer || capacity == 0) return 0;
    std::wstring text = win::Widen(state_.Text());
    std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<LRESULT>(count);
}

void PercentProgressBar::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client = ClientRect(window_);
    if (state_.HasRange() && client.right > 0 && client.bottom > 0) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        PaintInto(memory, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(window_, &paint);
}

void PercentProgressBar::PaintInto(HDC dc, const RECT& client) {
    int filled = state_.FilledWidth(client.right);
    RECT barPart{0, 0, filled, client.bottom};
    RECT emptyPart{filled, 0, client.right, client.bottom};

    HBRUSH barBrush = CreateSolidBrush(colours_.bar);
    HBRUSH backgroundBrush = CreateSolidBrush(colours_.background);
    FillRect(dc, &barPart, barBrush);
    FillRect(dc, &emptyPart, backgroundBrush);
    DeleteObject(barBrush);
    DeleteObject(backgroundBrush);

    HFONT font = CreateFontW(kFontHeight, kFontWidth, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"굴림");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    std::wstring label = win::Widen(state_.Label());
    DrawClippedLabel(dc, label, client, barPart, colours_.textOnBar);
    DrawClippedLabel(dc, label, client, emptyPart, colours_.textOnBackground);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}
