// The connector's window state and the procedures of its start-up, its
// item menu and its settings, with the phonebook behind them.
#pragma once

#include "dialer/access_items.h"
#include "dialer/connector_files.h"
#include "dialer/connector_state.h"
#include "dialer/connector_view.h"
#include "dialer/hand_off_poll.h"
#include "dialer/phonebook_setup.h"

#include <optional>
#include <string>

namespace dialer {

// Control id of the connect button, whose hover opens the item menu.
inline constexpr int kConnectButtonId = 1000;

enum class StartOutcome { kShowWindow, kEnd };

// What the poll timer does after a tick: go on, close for the updater's
// restart, or stop (the item's program has been launched).
enum class HandOffStep { kWait, kClose, kDone };

class Connector {
public:
    Connector(ConnectorFiles files, RasService& ras, SystemSetup& system, ConnectorView& view);

    // Checks the system, prepares the items' entries and reads the settings.
    StartOutcome StartUp();
    // Reads "position.ini" and has the window follow it; run again after an update.
    void ApplySkinLayout();
    // Reads "setup.ini" into the prefix, the reserve flag and the current item.
    void ReadSetup();

    // The item menu's entries, or nullopt while a dial is under way (no menu then).
    std::optional<ItemMenuPlan> PrepareItemMenu();
    // A hover report of a control (its id, +0x10000 when the pointer is inside).
    bool HoverOpensItemMenu(unsigned controlReport) const;
    // Makes item number n (from 1) the item to connect: its name, kind,
    // registry path and program. nullopt when the list has no such item.
    std::optional<AccessItem> SelectItem(int n);

    // Dials item number n (from 1) after the question, unless the user
    // chose not to be asked for it.
    void ConnectItem(int n);
    // The connect button dials the reserved item.
    void OnConnectButton();
    // A connection state reported by the dial, with its RAS error (0 for none).
    void OnRasDialEvent(std::uint32_t state, std::uint32_t error);
    void OnHangUpButton();
    // Quitting leaves no line open behind it.
    void HangUpOnQuit();

    // One tick of the poll of the updater's status after the line is up.
    HandOffStep PollHandOff(bool updaterEnded);
    // Starts what the user connected for and gets the window out of the way.
    void LaunchItemProgram();

    // The item whose number the settings dialog shows.
    std::string SettingsReferenceItem() const;
    // The number choice the settings dialog opens with (0 for none); nullopt
    // while a dial is under way, when the settings stay closed.
    std::optional<int> SettingsNumberChoice();
    // After the settings dialog: the chosen number goes into the reserved
    // item's entry, or into every item's entry.
    void ApplyNumberChoice(int choice);

    ConnectorState& State() { return state_; }
    PhonebookSetup& Phonebook() { return phonebook_; }
    const ConnectorFiles& Files() const { return files_; }

private:
    void PrepareEntries();
    void ResetHandOffFiles();
    bool DialEntry(std::string_view entry);
    // Puts the item's command line from "connect.ini", or from the user's
    // pick, into clientProgram; false when the user cancelled.
    bool GetClientProgram(std::string_view item);
    // Back to ready: lamps off, the updater's downloads gone.
    void ResetWindow();
    void CleanTempDirectory();
    bool WriteGrant();
    // The item's own program beside the connector, when it names one.
    bool StartItemProgram();
    bool LaunchInternet();
    bool LaunchRegistered();
    bool LaunchGame();

    ConnectorFiles files_;
    ConnectorState state_;
    ConnectorView& view_;
    RasService& ras_;
    PhonebookSetup phonebook_;
    SystemSetup& system_;
    int grantAttemptsLeft_ = kGrantAttempts;
};

} // namespace dialer
