// The dial engine: from an item's choice to the line up, and back.
#include "dialer/connector.h"

#include "common/notice.h"
#include "dialer/connect_file.h"
#include "dialer/connector_messages.h"
#include "dialer/dial_progress.h"
#include "dialer/hand_off_poll.h"
#include "dialer/message_file.h"

#include <algorithm>
#include <system_error>

namespace dialer {

namespace {

std::string UndefinedDialError(std::uint32_t code) {
    return "Undefined RAS Dial Error (" + std::to_string(code) + ").";
}

} // namespace

void Connector::ConnectItem(int n) {
    auto item = SelectItem(n);
    if (!item) return;
    if (!SkipsQuestion(files_.Messages(), state_.currentItem) &&
        !view_.ConfirmConnect(state_.currentItem, item->question)) {
        state_.connectActive = false;
        return;
    }
    state_.connectActive = true;
    state_.dialing = true;
    if (state_.itemKey == kFileItemKind && !GetClientProgram(state_.currentItem)) return;
    const auto& names = state_.entryNames;
    if (std::find(names.begin(), names.end(), state_.currentItem) == names.end()) {
        view_.Message(text::kEntryMissing, notice::kCaption, MessageIcon::kQuestion, true);
    } else {
        DialEntry(state_.currentItem);
    }
    state_.idle = false;
}

void Connector::OnConnectButton() {
    if (state_.connectActive || !state_.autoItem) return;
    auto items = ReadAccessItems(files_.ItemList());
    if (!items) return;
    auto found = std::find_if(items->begin(), items->end(),
                              [this](const AccessItem& item) { return item.name == state_.currentItem; });
    // Items count from 1: the reserved item on line i (from 0) is item i + 1.
    ConnectItem(static_cast<int>(found - items->begin()) + 1);
}

bool Connector::GetClientProgram(std::string_view item) {
    const auto file = files_.ClientPrograms();
    if (auto known = FindClientProgram(file, item)) {
        state_.clientProgram = *known;
        return true;
    }
    auto path = view_.ChooseClientProgram(item);
    if (!path) return false;
    state_.clientProgram = ClientCommandLine(*path, "");
    // A name or a path too long for the file is used this time without being kept.
    if (AppendClientProgram(file, item, state_.clientProgram) == StoreResult::kUnwritable) {
        view_.Message(text::kConnectFileUnwritable, notice::kCaption, MessageIcon::kNone);
    }
    return true;
}

bool Connector::DialEntry(std::string_view entry) {
    state_.connection = 0;
    DialStart start = ras_.Dial(entry);
    if (start.result == kRasSuccess) {
        state_.connection = start.connection;
        return true;
    }
    state_.idle = true;
    state_.dialing = false;
    view_.Message(phonebook_.ErrorText(start.result, UndefinedDialError(start.result)), notice::kCaption, MessageIcon::kExclamation);
    return false;
}

void Connector::OnRasDialEvent(std::uint32_t state, std::uint32_t error) {
    // A report queued before a hang-up belongs to no dial any more.
    if (!state_.connection) return;
    view_.ShowProgress(StateTextId(state));
    if (auto lamp = StateLamp(state)) view_.ShowLamp(*lamp);
    if (state == kStateConnected && error == kRasSuccess) {
        view_.ShowLamp(kLampUpdater);
        grantAttemptsLeft_ = kGrantAttempts;
        view_.StartUpdater();
        view_.ShowLamp(kLampUpdaterStarted);
    }
    if (error != kRasSuccess) {
        view_.Message(phonebook_.ErrorText(error, text::kUndefinedDialError), notice::kCaption,
                      MessageIcon::kExclamation);
    }
    if (error != kRasSuccess || state == kStateDisconnected) {
        HangUpOnQuit();
        ResetWindow();
    }
}

void Connector::OnHangUpButton() {
    if (!state_.connectActive) return;
    ResetWindow();
    HangUpOnQuit();
}

void Connector::HangUpOnQuit() {
    if (state_.connection) ras_.HangUp(state_.connection);
    state_.connection = 0;
}

void Connector::ResetWindow() {
    state_.connectActive = false;
    state_.dialing = false;
    state_.idle = true;
    view_.HideLamps();
    view_.ShowProgress(0);
    CleanTempDirectory();
}

void Connector::CleanTempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(files_.Temp(), ignored);
}

} // namespace dialer
