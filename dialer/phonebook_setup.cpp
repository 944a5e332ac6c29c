#include "dialer/phonebook_setup.h"

#include "common/notice.h"
#include "dialer/access_items.h"
#include "dialer/connector_messages.h"

#include <algorithm>
#include <cstdio>

namespace dialer {
namespace {

constexpr std::string_view kTcpIpKey = "Enum\\Network\\MSTCP";
constexpr std::string_view kNetAdapterKeys = "Enum\\Root\\Net\\";
constexpr int kNetAdapterKeyCount = 100;
constexpr std::string_view kNetClassKeys = "System\\CurrentControlSet\\Services\\Class\\";
constexpr std::string_view kDialUpAdapterName = "MS$PPP";
constexpr std::string_view kProfileKeys = "RemoteAccess\\Profile\\";
constexpr std::string_view kScriptValue = "PPPScript";

// A registry string up to its terminating zero.
std::string_view CString(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

} // namespace

std::optional<std::string> NumberForChoice(int choice, std::string_view linePrefix) {
    switch (choice) {
    case 1: return std::string(kAccessNumber);
    case 2: return std::string(kAlternateNumber);
    case 3: return std::string(linePrefix) + "," + std::string(kAccessNumber);
    case 4: return std::string(linePrefix) + "," + std::string(kAlternateNumber);
    default: return std::nullopt;
    }
}

int ChoiceOfNumber(std::string_view number) {
    if (number == kAccessNumber) return 1;
    if (number == kAlternateNumber) return 2;
    std::size_t comma = number.find(',');
    if (comma == std::string_view::npos) return 0;
    std::string_view dialled = number.substr(comma + 1);
    if (dialled == kAccessNumber) return 3;
    if (dialled == kAlternateNumber) return 4;
    return 0;
}

bool PhonebookSetup::AdapterInstalled() {
    // Adapters are numbered 0000 to 0099, with gaps.
    for (int i = 0; i < kNetAdapterKeyCount; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        auto driver = system_.MachineString(std::string(kNetAdapterKeys) + number, "Driver");
        if (!driver) continue;
        auto name = system_.MachineString(std::string(kNetClassKeys) + *driver, "AdapterName");
        if (name && *name == kDialUpAdapterName) return true;
    }
    return false;
}

bool PhonebookSetup::CheckNetworkComponents() {
    // The Windows NT family always has TCP/IP and dial-up networking.
    if (!system_.IsWindows9x()) return false;
    bool tcpIp = system_.MachineKeyExists(kTcpIpKey);
    bool adapter = AdapterInstalled();
    if (tcpIp && adapter) return false;
    std::string_view message = !tcpIp && !adapter ? text::kBothComponentsMissing
                               : !tcpIp           ? text::kTcpIpMissing
                                                  : text::kAdapterMissing;
    std::string_view keyword = !tcpIp && adapter ? text::kTcpIpHelpKeyword : text::kAdapterHelpKeyword;
    view_.Message(message, notice::kCaption, MessageIcon::kInformation);
    view_.OpenHelp(keyword);
    view_.StartCommand(text::kNetworkControlPanel);
    return true;
}

std::string PhonebookSetup::ErrorText(std::uint32_t code, std::string_view fallback) {
    auto described = ras_.ErrorText(code);
    return described && !described->empty() ? *described : std::string(fallback);
}

bool PhonebookSetup::HangUpAll() {
    ConnectionList list = ras_.EnumConnections();
    if (list.result != kRasSuccess) {
        view_.Message(ErrorText(list.result, text::kUndefinedDialError), state_.currentItem, MessageIcon::kExclamation);
        state_.dialing = false;
        state_.idle = true;
        return false;
    }
    for (ConnectionHandle connection : list.connections) ras_.HangUp(connection);
    return true;
}

bool PhonebookSetup::CheckRasSetup() {
    if (!HangUpAll()) {
        view_.Message(text::kConnectionSetupIncomplete, state_.currentItem, MessageIcon::kExclamation);
        return false;
    }
    EntryNameList entries = ras_.EnumEntries();
    if (entries.result == kErrorNotEnoughMemory) {
        view_.Message(text::kOutOfResources, notice::kCaption, MessageIcon::kExclamation);
        return false;
    }
    if (entries.result != kRasSuccess) {
        view_.Message(ErrorText(entries.result, text::kUndefinedEnumEntriesError), notice::kCaption,
                      MessageIcon::kExclamation);
        view_.Message(text::kDialUpNotInstalled, notice::kCaption, MessageIcon::kInformation);
        // Only Windows 9x installs dial-up networking this way.
        if (system_.IsWindows9x()) {
            std::string command(text::kDialUpInstallCommand);
            command.replace(command.find("%s"), 2, system_.WindowsDirectory());
            view_.StartCommand(command);
        }
        return false;
    }
    state_.entryNames = std::move(entries.names);
    // Dial-up scripting is part of every NT-family Windows.
    if (system_.IsWindows9x() && !system_.FileExists(system_.WindowsDirectory() + std::string(text::kScriptingToolFile))) {
        view_.Message(text::kScriptingToolMissing, notice::kCaption, MessageIcon::kInformation);
    }
    return true;
}

bool PhonebookSetup::Recreate(std::string_view item, const PhonebookEntry& old, const RasDevice& device,
                              const net::Ipv4Address& dns, const net::Ipv4Address& dnsAlternate) {
    PhonebookEntry entry = BuildEntry(files_.ScriptPath(item), device, dns, dnsAlternate);
    entry.localPhoneNumber = old.localPhoneNumber;
    if (ras_.DeleteEntry(item) != kRasSuccess) return false;
    if (ras_.SetEntry(item, entry) == kRasSuccess) return true;
    // Never leave the item without the entry it had.
    ras_.SetEntry(item, old);
    return false;
}

bool PhonebookSetup::EnsureEntry(std::string_view item) {
    const std::string script = files_.ScriptPath(item);
    const std::string profile = std::string(kProfileKeys) + std::string(item);
    // Windows 9x keeps the login script in the entry's profile; where there is
    // no profile (the NT family), the phonebook itself tells whether the entry
    // exists, and its script is checked with the name servers.
    const bool hasProfile = system_.UserKeyExists(profile);
    if (hasProfile) {
        auto stored = system_.UserValue(profile, kScriptValue);
        if (stored && CString(stored->data) != script) {
            system_.SetUserValue(profile, kScriptValue, {stored->type, script + '\0'});
        }
    }
    EntryLookup lookup = ras_.GetEntry(item);
    if (!hasProfile && lookup.outcome == EntryRead::kProbeRefused) return true;
    if (lookup.outcome == EntryRead::kProbeRefused) return false;
    if (lookup.outcome != EntryRead::kRead) {
        view_.Message(text::kDnsChangeFailed, notice::kCaption, MessageIcon::kNone);
        return false;
    }
    const PhonebookEntry& old = lookup.entry;
    bool inLine = old.dns == state_.dnsPrimary && old.dnsAlternate == state_.dnsSecondary &&
                  (hasProfile || old.script == script);
    if (inLine) return false;
    if (!Recreate(item, old, {old.deviceType, old.deviceName}, state_.dnsPrimary, state_.dnsSecondary)) {
        view_.Message(text::kDnsChangeFailed, notice::kCaption, MessageIcon::kNone);
    }
    return false;
}

bool PhonebookSetup::CreateEntry(std::string_view item) {
    DeviceList list = ras_.EnumDevices();
    if (list.result != kRasSuccess || list.devices.empty()) return false;
    PhonebookEntry entry = BuildEntry(files_.ScriptPath(item), list.devices.front(), state_.dnsPrimary, state_.dnsSecondary);
    return ras_.SetEntry(item, entry) == kRasSuccess;
}

std::optional<std::vector<RasDevice>> PhonebookSetup::Modems() {
    DeviceList list = ras_.EnumDevices();
    if (list.result != kRasSuccess) return std::nullopt;
    std::vector<RasDevice> modems;
    std::copy_if(list.devices.begin(), list.devices.end(), std::back_inserter(modems), IsModem);
    return modems;
}

int PhonebookSetup::CountModems() {
    auto modems = Modems();
    return modems ? static_cast<int>(modems->size()) : -1;
}

int PhonebookSetup::GetNumberChoice(std::string_view item) {
    EntryLookup lookup = ras_.GetEntry(item);
    if (lookup.outcome != EntryRead::kRead) {
        view_.Message(text::kNoPhoneNumber, notice::kCaption, MessageIcon::kExclamation);
        return 0;
    }
    return ChoiceOfNumber(lookup.entry.localPhoneNumber);
}

void PhonebookSetup::SetEntryNumber(std::string_view item, std::string_view number) {
    EntryLookup lookup = ras_.GetEntry(item);
    if (lookup.outcome != EntryRead::kRead) return;
    lookup.entry.localPhoneNumber = number;
    lookup.entry.areaCode = kRenumberedAreaCode;
    ras_.SetEntry(item, lookup.entry);
    state_.idle = true;
}

DeviceQuery PhonebookSetup::GetItemDevice() {
    auto items = ReadAccessItems(files_.ItemList());
    if (!items) return {};
    for (const AccessItem& item : *items) {
        EntryLookup lookup = ras_.GetEntry(item.name);
        if (lookup.outcome == EntryRead::kProbeRefused) continue;
        if (lookup.outcome != EntryRead::kRead) return {false, std::nullopt};
        return {true, RasDevice{lookup.entry.deviceType, lookup.entry.deviceName}};
    }
    return {};
}

bool PhonebookSetup::SetItemDevice(const RasDevice& device) {
    auto items = ReadAccessItems(files_.ItemList());
    if (!items) return true;
    // The name servers as the file says now.
    SkinLayout layout = ReadSkinLayout(files_.Position());
    for (const AccessItem& item : *items) {
        EntryLookup lookup = ras_.GetEntry(item.name);
        if (lookup.outcome == EntryRead::kProbeRefused) continue;
        if (lookup.outcome != EntryRead::kRead) return false;
        if (!Recreate(item.name, lookup.entry, device, layout.dnsPrimary, layout.dnsSecondary)) return false;
    }
    return true;
}

} // namespace dialer
