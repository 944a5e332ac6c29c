#include "dialer/connector.h"

#include "common/cp949.h"
#include "common/hand_off_contract.h"
#include "common/notice.h"
#include "dialer/connector_messages.h"
#include "dialer/setup_file.h"

#include <fstream>

namespace dialer {

Connector::Connector(ConnectorFiles files, RasService& ras, SystemSetup& system, ConnectorView& view)
    : files_(std::move(files)), view_(view), ras_(ras), phonebook_(files_, state_, ras, system, view), system_(system) {}

StartOutcome Connector::StartUp() {
    ApplySkinLayout();
    if (phonebook_.CheckNetworkComponents()) return StartOutcome::kEnd;
    if (!ras_.BindPhonebookApi()) {
        view_.Message(text::kNoPhonebookLibrary, notice::kCaption, MessageIcon::kStop);
        return StartOutcome::kEnd;
    }
    PrepareEntries();
    ReadSetup();
    if (!phonebook_.CheckRasSetup()) return StartOutcome::kEnd;
    view_.PrepareWindow();
    ResetHandOffFiles();
    if (phonebook_.CountModems() > 0) return StartOutcome::kShowWindow;
    view_.Message(text::kNoModem, notice::kCaption, MessageIcon::kInformation);
    view_.StartCommand(text::kModemControlPanel);
    return StartOutcome::kEnd;
}

void Connector::ApplySkinLayout() {
    SkinLayout layout = ReadSkinLayout(files_.Position());
    state_.dnsPrimary = layout.dnsPrimary;
    state_.dnsSecondary = layout.dnsSecondary;
    view_.ApplySkin(layout);
}

void Connector::PrepareEntries() {
    auto items = ReadAccessItems(files_.ItemList());
    if (!items) return;
    for (const AccessItem& item : *items) {
        if (phonebook_.EnsureEntry(item.name) && !phonebook_.CreateEntry(item.name)) {
            view_.Message(text::kEntryCreationFailed, item.name, MessageIcon::kExclamation);
        }
    }
    if (!items->empty()) state_.firstItem = items->front().name;
}

void Connector::ReadSetup() {
    auto setup = dialer::ReadSetup(files_.Setup());
    if (!setup) return;
    state_.linePrefix = cp949::CutToBytes(setup->linePrefix, kMaxLinePrefix);
    state_.autoItem = setup->reserved;
    state_.currentItem = setup->reservedItem;
}

void Connector::ResetHandOffFiles() {
    const std::string zeros(hand_off::kFlagSize, '\0');
    for (const auto& file : {files_.EndTransfer(), files_.Receive()}) {
        std::ofstream(file, std::ios::binary | std::ios::trunc).write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
}

std::optional<ItemMenuPlan> Connector::PrepareItemMenu() {
    if (!state_.idle) return std::nullopt;
    ItemMenuPlan plan = PlanItemMenu(ReadAccessItems(files_.ItemList()));
    state_.lastItemCommand = kItemCommandBase + static_cast<int>(plan.entries.size());
    if (plan.reserve) state_.autoItem = true;
    if (plan.onlyItem) state_.currentItem = *plan.onlyItem;
    return plan;
}

bool Connector::HoverOpensItemMenu(unsigned controlReport) const {
    return (controlReport & 0xFFFF) == kConnectButtonId && state_.idle && !state_.autoItem;
}

std::optional<AccessItem> Connector::SelectItem(int n) {
    auto items = ReadAccessItems(files_.ItemList());
    if (!items || n < 1 || static_cast<std::size_t>(n) > items->size()) return std::nullopt;
    AccessItem item = (*items)[static_cast<std::size_t>(n - 1)];
    state_.currentItem = item.name;
    if (item.kind == "game") {
        state_.launchKind = LaunchKind::kGame;
        state_.itemKey.clear();
    } else if (item.kind == "internet") {
        state_.launchKind = LaunchKind::kInternet;
        state_.itemKey.clear();
    } else {
        state_.launchKind = LaunchKind::kRegisteredProgram;
        state_.itemKey = item.kind;
    }
    state_.itemProgram = item.program;
    return item;
}

std::string Connector::SettingsReferenceItem() const {
    // A reserved item's name of fewer than four bytes is taken for none.
    return state_.currentItem.size() >= 4 ? state_.currentItem : state_.firstItem;
}

std::optional<int> Connector::SettingsNumberChoice() {
    if (state_.dialing) return std::nullopt;
    return phonebook_.GetNumberChoice(SettingsReferenceItem());
}

void Connector::ApplyNumberChoice(int choice) {
    ReadSetup();
    auto number = NumberForChoice(choice, state_.linePrefix);
    if (!number) return;
    if (state_.autoItem) {
        phonebook_.SetEntryNumber(state_.currentItem, *number);
        return;
    }
    auto items = ReadAccessItems(files_.ItemList());
    if (!items) return;
    for (const AccessItem& item : *items) phonebook_.SetEntryNumber(item.name, *number);
}

} // namespace dialer
