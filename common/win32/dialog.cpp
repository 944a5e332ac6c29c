#include "common/win32/dialog.h"

#include "common/win32/message_box.h"
#include "common/win32/text.h"

#include <commctrl.h>

#include <exception>
#include <string>

namespace win {
namespace {
// The window property that ties a dialog window to its object.
constexpr wchar_t kObjectProperty[] = L"DialogObject";

constexpr const char* kHandlerFailure = "처리하지 못한 오류가 생겨 이 작업을 마치지 못했습니다.";

static_assert(LBN_SELCHANGE == CBN_SELCHANGE, "one registration serves list and combo boxes");

// The program's one user-interface thread reports one failure at a time: a
// handler that fails on every timer tick must not stack up boxes.
bool reportingFailure = false;

// Tells the user that a handler of window failed: in a box when none is
// open yet, else as a debug line.
void ReportHandlerFailure(HWND window, std::exception_ptr failure) {
    std::string detail = "unknown exception";
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        detail = error.what();
    } catch (...) {
    }
    std::string text = std::string(kHandlerFailure) + "\n(" + detail + ")";
    if (reportingFailure) {
        OutputDebugStringW((Widen(text) + L"\n").c_str());
        return;
    }
    reportingFailure = true;
    ShowMessage(IsWindow(window) ? window : nullptr, text, kNoticeCaption, MB_OK | MB_ICONSTOP);
    reportingFailure = false;
}

} // namespace

Dialog::Dialog(int templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
    if (window_) {
        RemovePropW(window_, kObjectProperty);
        DestroyWindow(window_);
    }
}

Dialog* Dialog::FromHandle(HWND window) {
    return window ? static_cast<Dialog*>(GetPropW(window, kObjectProperty)) : nullptr;
}

bool Dialog::RouteKeyboard(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    Dialog* dialog = FromHandle(root);
    if (!dialog) return false;
    if (dialog->PreTranslateMessage(msg)) return true;
    return IsDialogMessageW(root, &msg) != FALSE;
}

INT_PTR Dialog::RunModal(HWND owner) {
    modal_ = true;
    done_ = false;
    result_ = -1;
    if (!CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, Procedure,
                            reinterpret_cast<LPARAM>(this))) {
        return -1;
    }
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    // A dialog that showed itself while opening is left as it is: on Windows the
    // process's first ShowWindow may take the starter's show mode instead, which
    // for a program started hidden would hide it again.
    if (window_ && !done_ && !IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);

    MSG msg;
    while (!done_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT belongs to the outermost loop: leave and pass it on.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (RouteKeyboard(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    // Enable the owner before the dialog goes, so that it gets the activation back.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (window_) DestroyWindow(window_);
    modal_ = false;
    return result_;
}

bool Dialog::CreateModeless(HWND owner) {
    modal_ = false;
    done_ = false;
    if (!CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, Procedure,
                            reinterpret_cast<LPARAM>(this))) {
        return false;
    }
    ShowWindow(window_, SW_SHOW);
    return true;
}

void Dialog::End(INT_PTR result) {
    result_ = result;
    if (modal_) {
        done_ = true;
        // The loop may be waiting in GetMessage when End comes from a sent message.
        if (window_) PostMessageW(window_, WM_NULL, 0, 0);
    } else if (window_) {
        DestroyWindow(window_);
    }
}

std::string Dialog::ItemText(int id) const { return GetWindowTextCp949(Item(id)); }

void Dialog::SetItemText(int id, std::string_view text) { SetWindowTextCp949(Item(id), text); }

void Dialog::ShowItem(int id, bool show) const { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }

void Dialog::EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable ? TRUE : FALSE); }

bool Dialog::ItemChecked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Dialog::CheckItem(int id, bool on) const {
    SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Dialog::SetCaption(std::string_view text) { SetWindowTextCp949(window_, text); }

void Dialog::OnRowChange(int id, RowHandler handler) {
    OnNotify(id, LVN_ITEMCHANGED, [handler = std::move(handler)](NMHDR& header) -> LRESULT {
        handler(reinterpret_cast<NMLISTVIEW&>(header).iItem);
        return 0;
    });
}

void Dialog::OnRowStateChange(int id, RowHandler handler) {
    OnNotify(id, LVN_ITEMCHANGED, [handler = std::move(handler)](NMHDR& header) -> LRESULT {
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && change.iItem >= 0) handler(change.iItem);
        return 0;
    });
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        Dialog* self = nullptr;
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<Dialog*>(lParam);
            self->window_ = window;
            SetPropW(window, kObjectProperty, self);
            return self->OnInitDialog() ? TRUE : FALSE;
        }
        self = FromHandle(window);
        if (!self) return FALSE;
        if (message == WM_NCDESTROY) {
            RemovePropW(window, kObjectProperty);
            self->window_ = nullptr;
            return FALSE;
        }
        return self->Route(message, wParam, lParam);
    } catch (...) {
        ReportHandlerFailure(window, std::current_exception());
        return FALSE;
    }
}

INT_PTR Dialog::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto handler = messages_.find(message); handler != messages_.end()) {
        return handler->second(wParam, lParam);
    }
    switch (message) {
    case WM_COMMAND:
        return RouteCommand(wParam, lParam) ? TRUE : FALSE;
    case WM_TIMER:
        return RouteTimer(wParam) ? TRUE : FALSE;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        auto handler = notifies_.find({static_cast<int>(header.idFrom), header.code});
        if (handler == notifies_.end()) return FALSE;
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, handler->second(header));
        return TRUE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}

bool Dialog::RouteCommand(WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    // Menus and accelerators (no control window) count as clicks.
    WORD code = lParam == 0 ? static_cast<WORD>(BN_CLICKED) : HIWORD(wParam);
    if (auto handler = commands_.find({id, code}); handler != commands_.end()) {
        handler->second();
        return true;
    }
    if (code == BN_CLICKED && id == IDOK) {
        OnOK();
        return true;
    }
    if (code == BN_CLICKED && id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool Dialog::RouteTimer(WPARAM timer) {
    auto handler = timers_.find(timer);
    if (handler == timers_.end()) return false;
    handler->second();
    return true;
}

} // namespace win
