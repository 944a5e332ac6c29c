#include "dialer/win32/ras_library.h"

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kErrorInvalidFunction = 1;
constexpr DWORD kErrorInvalidParameter = 87;
constexpr DWORD kErrorTextSize = 256;

// Where the notifier posts; set once the window exists.
std::atomic<HWND> notifyTarget{nullptr};

// Runs on a thread of RAS's own: it touches nothing but the message queue.
VOID WINAPI NotifyDialEvent(UINT, ras95::RASCONNSTATE state, DWORD error) {
    PostMessageW(notifyTarget.load(), ras95::WM_RASDIALEVENT, state, static_cast<LPARAM>(error));
}

// A function by its exact name, or by the name with "A" that is all the
// Windows NT family exports.
template <typename Function>
Function Find(HMODULE module, const char* name) {
    FARPROC found = GetProcAddress(module, name);
    if (!found) found = GetProcAddress(module, (std::string(name) + "A").c_str());
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

template <std::size_t N>
std::string FieldText(const CHAR (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

template <std::size_t N>
bool PutText(CHAR (&field)[N], std::string_view text) {
    if (text.size() >= N) return false;
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size());
    return true;
}

ras95::RASIPADDR ToRas(const net::Ipv4Address& address) { return {address[0], address[1], address[2], address[3]}; }
net::Ipv4Address FromRas(const ras95::RASIPADDR& address) { return {address.a, address.b, address.c, address.d}; }

dialer::PhonebookEntry FromRecord(const ras95::RASENTRY& record) {
    dialer::PhonebookEntry entry;
    entry.options = record.dwfOptions;
    entry.countryId = record.dwCountryID;
    entry.countryCode = record.dwCountryCode;
    entry.areaCode = FieldText(record.szAreaCode);
    entry.localPhoneNumber = FieldText(record.szLocalPhoneNumber);
    entry.ipAddress = FromRas(record.ipaddr);
    entry.dns = FromRas(record.ipaddrDns);
    entry.dnsAlternate = FromRas(record.ipaddrDnsAlt);
    entry.wins = FromRas(record.ipaddrWins);
    entry.winsAlternate = FromRas(record.ipaddrWinsAlt);
    entry.frameSize = record.dwFrameSize;
    entry.netProtocols = record.dwfNetProtocols;
    entry.framingProtocol = record.dwFramingProtocol;
    entry.script = FieldText(record.szScript);
    entry.deviceType = FieldText(record.szDeviceType);
    entry.deviceName = FieldText(record.szDeviceName);
    return entry;
}

// False when a text does not fit its field.
bool ToRecord(const dialer::PhonebookEntry& entry, ras95::RASENTRY& record) {
    record = {};
    record.dwSize = sizeof record;
    record.dwfOptions = entry.options;
    record.dwCountryID = entry.countryId;
    record.dwCountryCode = entry.countryCode;
    record.ipaddr = ToRas(entry.ipAddress);
    record.ipaddrDns = ToRas(entry.dns);
    record.ipaddrDnsAlt = ToRas(entry.dnsAlternate);
    record.ipaddrWins = ToRas(entry.wins);
    record.ipaddrWinsAlt = ToRas(entry.winsAlternate);
    record.dwFrameSize = entry.frameSize;
    record.dwfNetProtocols = entry.netProtocols;
    record.dwFramingProtocol = entry.framingProtocol;
    return PutText(record.szAreaCode, entry.areaCode) && PutText(record.szLocalPhoneNumber, entry.localPhoneNumber) &&
           PutText(record.szScript, entry.script) && PutText(record.szDeviceType, entry.deviceType) &&
           PutText(record.szDeviceName, entry.deviceName);
}

// Lists records of type Record with a size probe: a buffer of one record
// first, then the size asked for.
template <typename Record, typename Call>
DWORD EnumRecords(std::vector<Record>& records, Call call) {
    records.assign(1, Record{});
    records[0].dwSize = sizeof(Record);
    DWORD size = sizeof(Record);
    DWORD count = 0;
    DWORD result = call(records.data(), &size, &count);
    if (result == dialer::kErrorBufferTooSmall) {
        records.assign((size + sizeof(Record) - 1) / sizeof(Record), Record{});
        for (Record& record : records) record.dwSize = sizeof(Record);
        size = static_cast<DWORD>(records.size() * sizeof(Record));
        result = call(records.data(), &size, &count);
    }
    records.resize(result == 0 ? std::min<std::size_t>(count, records.size()) : 0);
    return result;
}

} // namespace

RasLibrary::RasLibrary() : rasApi_(LoadLibraryW(L"rasapi32.dll")) {
    if (!rasApi_) return;
    enumEntries_ = Find<ras95::EnumEntriesFn>(rasApi_, "RasEnumEntries");
    enumConnections_ = Find<ras95::EnumConnectionsFn>(rasApi_, "RasEnumConnections");
    hangUp_ = Find<ras95::HangUpFn>(rasApi_, "RasHangUp");
    errorString_ = Find<ras95::GetErrorStringFn>(rasApi_, "RasGetErrorString");
    dial_ = Find<ras95::DialFn>(rasApi_, "RasDial");
}

void RasLibrary::SetNotifyTarget(HWND window) { notifyTarget.store(window); }

bool RasLibrary::BindPhonebookApi() {
    for (const wchar_t* name : {L"rasapi32.dll", L"rnaph.dll"}) {
        HMODULE module = LoadLibraryW(name);
        if (!module) continue;
        getEntry_ = Find<ras95::GetEntryPropertiesFn>(module, "RasGetEntryProperties");
        setEntry_ = Find<ras95::SetEntryPropertiesFn>(module, "RasSetEntryProperties");
        deleteEntry_ = Find<ras95::DeleteEntryFn>(module, "RasDeleteEntry");
        enumDevices_ = Find<ras95::EnumDevicesFn>(module, "RasEnumDevices");
        if (getEntry_ && setEntry_ && deleteEntry_ && enumDevices_) return true;
        FreeLibrary(module);
    }
    getEntry_ = nullptr;
    setEntry_ = nullptr;
    deleteEntry_ = nullptr;
    enumDevices_ = nullptr;
    return false;
}

dialer::EntryLookup RasLibrary::GetEntry(std::string_view name) {
    if (!getEntry_) return {dialer::EntryRead::kReadFailed, {}};
    const std::string entryName(name);
    DWORD recordSize = 0;
    DWORD deviceSize = 0;
    DWORD probe = getEntry_(nullptr, entryName.c_str(), nullptr, &recordSize, nullptr, &deviceSize);
    if (probe == 0) return {dialer::EntryRead::kReadFailed, {}};
    if (probe != dialer::kErrorBufferTooSmall) return {dialer::EntryRead::kProbeRefused, {}};
    // A later Windows asks for its own larger record; the first bytes are ours.
    std::vector<BYTE> buffer(std::max<std::size_t>(recordSize, sizeof(ras95::RASENTRY)));
    std::vector<BYTE> device(std::max<DWORD>(deviceSize, 1));
    auto* record = reinterpret_cast<ras95::RASENTRY*>(buffer.data());
    record->dwSize = sizeof(ras95::RASENTRY);
    recordSize = static_cast<DWORD>(buffer.size());
    deviceSize = static_cast<DWORD>(device.size());
    if (getEntry_(nullptr, entryName.c_str(), record, &recordSize, device.data(), &deviceSize) != 0) {
        return {dialer::EntryRead::kReadFailed, {}};
    }
    return {dialer::EntryRead::kRead, FromRecord(*record)};
}

std::uint32_t RasLibrary::SetEntry(std::string_view name, const dialer::PhonebookEntry& entry) {
    if (!setEntry_) return kErrorInvalidFunction;
    ras95::RASENTRY record;
    if (name.size() > ras95::kMaxEntryName || !ToRecord(entry, record)) return kErrorInvalidParameter;
    return setEntry_(nullptr, std::string(name).c_str(), &record, sizeof record, nullptr, 0);
}

std::uint32_t RasLibrary::DeleteEntry(std::string_view name) {
    if (!deleteEntry_) return kErrorInvalidFunction;
    return deleteEntry_(nullptr, std::string(name).c_str());
}

dialer::DeviceList RasLibrary::EnumDevices() {
    if (!enumDevices_) return {kErrorInvalidFunction, {}};
    // A probe with no buffer tells the size; no device at all answers 0.
    DWORD size = 0;
    DWORD count = 0;
    DWORD probe = enumDevices_(nullptr, &size, &count);
    if (probe == 0) return {};
    if (probe != dialer::kErrorBufferTooSmall) return {probe, {}};
    std::vector<ras95::RASDEVINFO> records;
    DWORD result = EnumRecords(records, [this](ras95::RASDEVINFO* data, LPDWORD bytes, LPDWORD found) {
        return enumDevices_(data, bytes, found);
    });
    dialer::DeviceList list{result, {}};
    for (const auto& record : records) list.devices.push_back({FieldText(record.szDeviceType), FieldText(record.szDeviceName)});
    return list;
}

dialer::EntryNameList RasLibrary::EnumEntries() {
    if (!enumEntries_) return {kErrorInvalidFunction, {}};
    std::vector<ras95::RASENTRYNAME> records;
    DWORD result = EnumRecords(records, [this](ras95::RASENTRYNAME* data, LPDWORD bytes, LPDWORD found) {
        return enumEntries_(nullptr, nullptr, data, bytes, found);
    });
    dialer::EntryNameList list{result, {}};
    for (const auto& record : records) list.names.push_back(FieldText(record.szEntryName));
    return list;
}

dialer::ConnectionList RasLibrary::EnumConnections() {
    if (!enumConnections_) return {kErrorInvalidFunction, {}};
    std::vector<ras95::RASCONN> records;
    DWORD result = EnumRecords(records, [this](ras95::RASCONN* data, LPDWORD bytes, LPDWORD found) {
        return enumConnections_(data, bytes, found);
    });
    dialer::ConnectionList list{result, {}};
    for (const auto& record : records) list.connections.push_back(reinterpret_cast<dialer::ConnectionHandle>(record.hrasconn));
    return list;
}

std::uint32_t RasLibrary::HangUp(dialer::ConnectionHandle connection) {
    if (!hangUp_) return kErrorInvalidFunction;
    return hangUp_(reinterpret_cast<ras95::HRASCONN>(connection));
}

std::optional<std::string> RasLibrary::ErrorText(std::uint32_t code) {
    if (!errorString_) return std::nullopt;
    char text[kErrorTextSize] = "";
    if (errorString_(code, text, sizeof text) != 0) return std::nullopt;
    return FieldText(text);
}

dialer::DialStart RasLibrary::Dial(std::string_view entry) {
    if (!dial_) return {kErrorInvalidFunction, 0};
    ras95::RASDIALPARAMS parameters{};
    parameters.dwSize = sizeof parameters;
    // The number, the script and the device come from the entry; "*" takes its domain too.
    if (!PutText(parameters.szEntryName, entry) || !PutText(parameters.szDomain, "*")) {
        return {kErrorInvalidParameter, 0};
    }
    ras95::HRASCONN connection = nullptr;
    DWORD result = dial_(nullptr, nullptr, &parameters, 0, reinterpret_cast<LPVOID>(&NotifyDialEvent), &connection);
    if (result != 0) {
        // A refused dial may still hold a port until it is hung up.
        if (connection && hangUp_) hangUp_(connection);
        return {result, 0};
    }
    return {0, reinterpret_cast<dialer::ConnectionHandle>(connection)};
}
