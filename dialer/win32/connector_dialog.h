// The connector's one window (template 102): the skin, the lamps, the item
// menu and the buttons. The connector's procedures run in the core; this
// window shows what they decide.
#pragma once

#include "common/win32/dib_bitmap.h"
#include "common/win32/main_window.h"
#include "common/win32/program_starter.h"
#include "dialer/connector.h"
#include "dialer/win32/ras_library.h"
#include "dialer/win32/skin_controls.h"
#include "dialer/win32/windows_system.h"

#include <array>
#include <memory>

class ConnectorDialog : public win::MainDialog, private dialer::ConnectorView {
public:
    ConnectorDialog();

protected:
    bool OnInitDialog() override;
    // Enter never ends the window.
    bool PreTranslateMessage(MSG& message) override;
    void OnOK() override {}
    bool OnPaint() override;

private:
    // ConnectorView
    bool Message(std::string_view text, std::string_view caption, dialer::MessageIcon icon, bool withCancel) override;
    void OpenHelp(std::string_view keyword) override;
    void StartCommand(std::string_view command) override;
    void ApplySkin(const dialer::SkinLayout& layout) override;
    void PrepareWindow() override;
    bool ConfirmConnect(std::string_view item, std::string_view question) override;
    std::optional<std::string> ChooseClientProgram(std::string_view item) override;
    void ShowLamp(int lamp) override;
    void HideLamps() override;
    void ShowProgress(int textId) override;
    void StartUpdater() override;
    bool StartProgram(std::string_view command, dialer::ProgramWindow window, std::string_view directory) override;
    bool OpenAddress(std::string_view address) override;
    void Minimize() override;
    void PollHandOff();

    void ShowItemMenu(LPARAM screenPoint);
    void OnSettings();
    void Quit();

    RasLibrary ras_;
    WindowsSystem system_;
    dialer::Connector connector_;
    std::unique_ptr<win::DibBitmap> background_;
    AnimatedHelpButton help_;
    // Connect, settings, hang-up and quit, in the order of the skin's parts.
    std::array<SkinButton, 4> buttons_;
    HWND tooltip_ = nullptr;
    // The updater started for the hand-off, watched by the poll.
    win::ProcessHandle updater_;
};
