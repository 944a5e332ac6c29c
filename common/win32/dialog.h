// Our small dialog framework: a dialog template run modally with its own
// message loop (so a key filter sees Enter and Escape first) or modelessly,
// with one handler per message, per command and per notification. An
// exception that escapes a handler stops at the dialog procedure (it cannot
// unwind through Windows' frames) and is shown to the user.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace win {

class Dialog {
public:
    using MessageHandler = std::function<INT_PTR(WPARAM, LPARAM)>;
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR&)>;
    using RowHandler = std::function<void(int row)>;

    explicit Dialog(int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog with its own message loop, the owner disabled meanwhile;
    // returns the value handed to End, or -1 when the template cannot be created.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog as a modeless window owned by owner.
    bool CreateModeless(HWND owner);
    // Modal: leaves the loop with result. Modeless: destroys the window.
    void End(INT_PTR result);

    HWND Handle() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view text);
    void ShowItem(int id, bool show) const;
    void EnableItem(int id, bool enable) const;
    // A check box or radio button.
    bool ItemChecked(int id) const;
    void CheckItem(int id, bool on) const;
    void SetCaption(std::string_view text);

    // The dialog object behind a window of ours, or null.
    static Dialog* FromHandle(HWND window);
    // Gives the dialog that owns msg's window its key filter and dialog
    // navigation; true when the message was consumed. Every message loop of
    // the program calls it, so modeless dialogs keep their keyboard handling.
    static bool RouteKeyboard(MSG& msg);

protected:
    // After the controls exist. Return true to let Windows set the focus.
    virtual bool OnInitDialog() { return true; }
    // Key filter, called before dialog navigation; true consumes the message.
    virtual bool PreTranslateMessage(MSG&) { return false; }
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // The window is going away (modeless dialogs: their last call).
    virtual void OnDestroy() {}

    // Routing. A message handler's result is the dialog procedure's result
    // (TRUE for handled, a brush for the colour messages).
    void OnMessage(UINT message, MessageHandler handler) { messages_[message] = std::move(handler); }
    // A button's click; menu items and accelerators count as clicks.
    void OnClick(int id, CommandHandler handler) { OnCommand(id, BN_CLICKED, std::move(handler)); }
    // A list box's or a combo box's selection change.
    void OnSelectionChange(int id, CommandHandler handler) { OnCommand(id, LBN_SELCHANGE, std::move(handler)); }
    // Any other WM_COMMAND notification of a control, such as EN_CHANGE.
    void OnCommand(int id, WORD code, CommandHandler handler) { commands_[{id, code}] = std::move(handler); }
    // WM_TIMER of one timer.
    void OnTimer(UINT_PTR timer, CommandHandler handler) { timers_[timer] = std::move(handler); }
    // A list view's item change: the row it names, whatever changed (its text too).
    void OnRowChange(int id, RowHandler handler);
    // A list view's item change of one row's state (selection, focus) only.
    void OnRowStateChange(int id, RowHandler handler);
    // WM_NOTIFY of a control; the handler's result becomes the notification's result.
    void OnNotify(int id, UINT code, NotifyHandler handler) { notifies_[{id, code}] = std::move(handler); }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);
    bool RouteCommand(WPARAM wParam, LPARAM lParam);
    bool RouteTimer(WPARAM timer);

    int templateId_;
    HWND window_ = nullptr;
    bool modal_ = false;
    bool done_ = false;
    INT_PTR result_ = 0;
    std::map<UINT, MessageHandler> messages_;
    std::map<std::pair<int, WORD>, CommandHandler> commands_;
    std::map<UINT_PTR, CommandHandler> timers_;
    std::map<std::pair<int, UINT>, NotifyHandler> notifies_;
};

} // namespace win
