// What the connector's procedures need of its window.
#pragma once

#include "dialer/skin_layout.h"

#include <optional>
#include <string>
#include <string_view>

namespace dialer {

enum class ProgramWindow { kShow, kShowDefault };

enum class MessageIcon { kNone, kInformation, kExclamation, kStop, kQuestion };

class ConnectorView {
public:
    virtual ~ConnectorView() = default;

    // A message box over the window; true when the user answered OK.
    virtual bool Message(std::string_view text, std::string_view caption, MessageIcon icon,
                         bool withCancel = false) = 0;
    // The connector's help at a keyword; an empty keyword opens its contents.
    virtual void OpenHelp(std::string_view keyword) = 0;
    // Starts a system command line (set-up programs, control panels).
    virtual void StartCommand(std::string_view command) = 0;
    // Places the controls and loads the pictures of a layout.
    virtual void ApplySkin(const SkinLayout& layout) = 0;
    // The window is about to be shown: icons, tooltips, the dial notifier's target.
    virtual void PrepareWindow() = 0;

    // The question before connecting an item; true when the user goes on.
    virtual bool ConfirmConnect(std::string_view item, std::string_view question) = 0;
    // The path of the program the user picks for a "file" item; nullopt when cancelled.
    virtual std::optional<std::string> ChooseClientProgram(std::string_view item) = 0;
    virtual void ShowLamp(int lamp) = 0;
    virtual void HideLamps() = 0;
    // The text of a connection state's string resource; 0 for none.
    virtual void ShowProgress(int textId) = 0;
    // Starts the updater and the hand-off that follows it.
    virtual void StartUpdater() = 0;
    // Starts a command line in directory (empty: the current one); false when it did not start.
    virtual bool StartProgram(std::string_view command, ProgramWindow window, std::string_view directory) = 0;
    // Opens an address with the program the system has for it.
    virtual bool OpenAddress(std::string_view address) = 0;
    virtual void Minimize() = 0;
};

} // namespace dialer
