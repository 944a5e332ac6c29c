// After the line is up: the hand-off with the updater, then the launch of
// what the user connected for.
#include "dialer/connector.h"

#include "common/config_file.h"
#include "common/hand_off_contract.h"
#include "common/notice.h"
#include "dialer/connector_messages.h"
#include "dialer/dial_progress.h"
#include "dialer/hand_off_poll.h"
#include "dialer/item_launch.h"
#include "dialer/record_file.h"
#include "dialer/url_file.h"

namespace dialer {

namespace {

std::optional<std::string> ReadFlag(const std::filesystem::path& file) {
    auto bytes = config::ReadWholeFile(file);
    if (bytes && bytes->size() > hand_off::kFlagSize) bytes->resize(hand_off::kFlagSize);
    return bytes;
}

bool WriteFlag(const std::filesystem::path& file, std::string_view word) {
    std::string bytes(hand_off::kFlagSize, '\0');
    bytes.replace(0, word.size(), word);
    // Over the start of the file, which keeps its length.
    return WriteRecord(file, 0, bytes);
}

} // namespace

HandOffStep Connector::PollHandOff(bool updaterEnded) {
    // Hung up meanwhile: there is nothing to launch over.
    if (!state_.connectActive) return HandOffStep::kDone;
    auto status = ReadFlag(files_.EndTransfer());
    switch (DecideOnStatus(status, updaterEnded)) {
    case StatusDecision::kWait: return HandOffStep::kWait;
    case StatusDecision::kGrantRestart:
        if (WriteGrant()) {
            WriteFlag(files_.EndTransfer(), "");
            return HandOffStep::kClose;
        }
        if (--grantAttemptsLeft_ > 0) return HandOffStep::kWait;
        view_.Message(text::kGrantUnwritable, notice::kCaption, MessageIcon::kExclamation);
        break;
    case StatusDecision::kReloadSkin: ApplySkinLayout(); break;
    case StatusDecision::kLaunch: break;
    }
    if (status && !status->empty() && status->front() != '\0') WriteFlag(files_.EndTransfer(), "");
    view_.ShowLamp(kLampLaunched);
    LaunchItemProgram();
    return HandOffStep::kDone;
}

bool Connector::WriteGrant() { return WriteFlag(files_.Receive(), hand_off::kRestartGranted); }

void Connector::LaunchItemProgram() {
    bool launched = false;
    switch (state_.launchKind) {
    case LaunchKind::kInternet: launched = LaunchInternet(); break;
    case LaunchKind::kRegisteredProgram:
        // A "file" item starts the program the user chose for it.
        launched = state_.itemKey == kFileItemKind
                       ? view_.StartProgram(state_.clientProgram, ProgramWindow::kShow, "")
                       : LaunchRegistered();
        break;
    case LaunchKind::kGame: launched = LaunchGame(); break;
    case LaunchKind::kNone: break;
    }
    if (launched) view_.Minimize();
}

bool Connector::StartItemProgram() {
    return !state_.itemProgram.empty() &&
           view_.StartProgram(files_.ProgramFileText(state_.itemProgram), ProgramWindow::kShow, "");
}

bool Connector::LaunchInternet() {
    const std::string address = HomePageAddress(ReadHomePage(files_.HomePage()));
    if (StartItemProgram() || view_.OpenAddress(address)) return true;
    auto registered = system_.ClassesString(text::kBrowserCommandKey, "");
    if (registered && view_.StartProgram(BrowserCommand(*registered, address), ProgramWindow::kShowDefault, "")) {
        return true;
    }
    view_.Message(text::kNoBrowser, notice::kCaption, MessageIcon::kExclamation);
    return false;
}

bool Connector::LaunchRegistered() {
    auto command = system_.MachineString(state_.itemKey, "");
    if (command && view_.StartProgram(*command, ProgramWindow::kShowDefault,
                                      system_.MachineString(state_.itemKey, "path").value_or(""))) {
        return true;
    }
    view_.Message(text::kProgramNotInstalled, notice::kCaption, MessageIcon::kExclamation);
    return false;
}

bool Connector::LaunchGame() {
    if (StartItemProgram()) return true;
    if (!state_.clientProgram.empty() && view_.StartProgram(state_.clientProgram, ProgramWindow::kShow, "")) {
        return true;
    }
    view_.Message(text::kProgramNotInstalled, notice::kCaption, MessageIcon::kExclamation);
    return false;
}

} // namespace dialer
