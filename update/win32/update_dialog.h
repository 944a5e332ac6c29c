// The updater's one window (template 102): hidden while it checks the
// versions, shown with the clip, the file line and the percentage bar while
// an update runs. It owns the procedure and follows the steps it returns.
#pragma once

#include "update/win32/cng_verifier.h"
#include "update/win32/connector_launcher.h"
#include "common/win32/main_window.h"
#include "update/win32/percent_progress_bar.h"
#include "update/updater.h"
#include "update/win32/wininet_ftp.h"

#include <string_view>

class UpdateDialog : public win::MainDialog, private update::UpdateView {
public:
    UpdateDialog();

protected:
    bool OnInitDialog() override;
    // Enter and Escape must not end an update halfway; only the wait for the
    // connector may be given up.
    void OnOK() override {}
    void OnCancel() override;

private:
    // Timer ids: the change list 300 ms after the user's OK, the connector's
    // grant, the files the connector held until it let go of them.
    static constexpr UINT_PTR TIMER_CHANGE_LIST = 1025;
    static constexpr UINT_PTR TIMER_RECEIVE = 1030;
    static constexpr UINT_PTR TIMER_HELD_FILES = 1031;

    // UpdateView
    bool OfferUpdate(std::string_view text) override;
    void ShowMessage(std::string_view text) override;
    void SetProgressRange(int lower, int upper) override;
    void StepProgress() override;
    void SetFileText(std::string_view text) override;
    void StartClip() override;
    void StopClip() override;

    // Draws the window's changes and handles the messages that arrived meanwhile.
    void ShowNow();
    void Follow(update::NextStep next);
    // Runs the updater's step that timer stands for.
    void Step(UINT_PTR timer, update::NextStep (update::Updater::*step)());

    WinInetFtpClient ftp_;
    ConnectorLauncher launcher_;
    update_win32::CngVerifier verifier_;
    update::Updater updater_;
    PercentProgressBar* progress_ = nullptr;
    bool waitingForGrant_ = false;
};
