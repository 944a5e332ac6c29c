// A test double of the Remote Access Service with the Windows 95 records:
// a phonebook kept in "standin-phonebook.dat" beside this library, a modem,
// and dials that play their connection states to the notifier from a thread
// of their own. "standin-ras.ini" beside it scripts what a test wants:
//   devices=modem,isdn   the types of the devices, in order (none: no device)
//   fail=enum-entries    RasEnumEntries answers kScriptedFailure
//   fail=enum-connections
//   fail=enum-devices
//   dial-error=STATE CODE  the dial stops at that state with that error
#include "dialer/win32/ras95.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kBufferTooSmall = 603;
constexpr DWORD kCannotFindEntry = 623;
constexpr DWORD kInvalidSize = 632;
constexpr DWORD kInvalidHandle = 6;
constexpr DWORD kScriptedFailure = 610;

const std::map<DWORD, const char*> kErrorTexts{
    {kBufferTooSmall, "The buffer is too small."},
    {kCannotFindEntry, "The phonebook entry does not exist."},
    {kInvalidSize, "The structure size is incorrect."},
    {kScriptedFailure, "The stand-in was told to fail."},
    {676, "The line is busy."},
    {678, "There is no answer."},
    {680, "There is no dial tone."},
};

std::string Beside(const char* name) {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Beside), &self);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of('\\') + 1) + name;
}

std::map<std::string, std::string> Script() {
    std::map<std::string, std::string> settings{{"devices", "modem"}};
    std::ifstream in(Beside("standin-ras.ini"));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        // Several failures may be scripted at once.
        if (key == "fail") key += "-" + line.substr(equals + 1);
        settings[key] = line.substr(equals + 1);
    }
    return settings;
}

bool Fails(const char* what) { return Script().count(std::string("fail-") + what) > 0; }

std::vector<std::string> DeviceTypes() {
    std::string list = Script()["devices"];
    std::vector<std::string> types;
    if (list == "none") return types;
    std::stringstream in(list);
    for (std::string type; std::getline(in, type, ',');) types.push_back(type);
    return types;
}

// The phonebook file: records of a name field and an entry record.
struct StoredEntry {
    CHAR name[ras95::kMaxEntryName + 1];
    ras95::RASENTRY entry;
};

std::vector<StoredEntry> LoadPhonebook() {
    std::ifstream in(Beside("standin-phonebook.dat"), std::ios::binary);
    std::vector<StoredEntry> entries;
    StoredEntry stored;
    while (in.read(reinterpret_cast<char*>(&stored), sizeof stored)) entries.push_back(stored);
    return entries;
}

void SavePhonebook(const std::vector<StoredEntry>& entries) {
    std::ofstream out(Beside("standin-phonebook.dat"), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(entries.data()), static_cast<std::streamsize>(entries.size() * sizeof(StoredEntry)));
}

StoredEntry* Find(std::vector<StoredEntry>& entries, LPCSTR name) {
    for (StoredEntry& stored : entries) {
        if (std::strncmp(stored.name, name, sizeof stored.name) == 0) return &stored;
    }
    return nullptr;
}

template <std::size_t N>
void Copy(CHAR (&field)[N], const std::string& text) {
    std::snprintf(field, N, "%s", text.c_str());
}

// Hands count records of Record to the caller's buffer, or asks for room.
template <typename Record, typename Fill>
DWORD Deliver(Record* buffer, LPDWORD size, LPDWORD count, std::size_t total, Fill fill) {
    if (!size || !count) return 87;
    if (buffer && buffer->dwSize != sizeof(Record)) return kInvalidSize;
    DWORD needed = static_cast<DWORD>(total * sizeof(Record));
    *count = 0;
    if (!buffer || *size < needed) {
        *size = needed;
        return total == 0 ? 0 : kBufferTooSmall;
    }
    for (std::size_t i = 0; i < total; ++i) {
        buffer[i] = Record{};
        buffer[i].dwSize = sizeof(Record);
        fill(buffer[i], i);
    }
    *size = needed;
    *count = static_cast<DWORD>(total);
    return 0;
}

// The one connection a dial makes.
const ras95::HRASCONN kConnection = reinterpret_cast<ras95::HRASCONN>(static_cast<INT_PTR>(0x5A5A));
volatile LONG connected = 0;
std::string connectedEntry;

struct DialPlan {
    ras95::RasDialFunc notifier;
    DWORD errorState;
    DWORD errorCode;
};

DWORD WINAPI PlayDial(LPVOID parameter) {
    DialPlan plan = *static_cast<DialPlan*>(parameter);
    delete static_cast<DialPlan*>(parameter);
    const ras95::RASCONNSTATE states[] = {ras95::RASCS_OpenPort,         ras95::RASCS_PortOpened,
                                          ras95::RASCS_ConnectDevice,    ras95::RASCS_DeviceConnected,
                                          ras95::RASCS_AllDevicesConnected, ras95::RASCS_Authenticate,
                                          ras95::RASCS_Authenticated,    ras95::RASCS_Connected};
    for (ras95::RASCONNSTATE state : states) {
        if (!connected) return 0;  // hung up meanwhile
        Sleep(50);
        bool failing = state == plan.errorState && plan.errorCode != 0;
        plan.notifier(ras95::WM_RASDIALEVENT, state, failing ? plan.errorCode : 0);
        if (failing) return 0;
    }
    return 0;
}

} // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI RasGetEntryPropertiesA(LPCSTR, LPCSTR name, ras95::RASENTRY* record, LPDWORD size,
                                                         LPBYTE, LPDWORD deviceSize) {
    auto entries = LoadPhonebook();
    StoredEntry* stored = name ? Find(entries, name) : nullptr;
    if (!stored) return kCannotFindEntry;
    if (deviceSize) *deviceSize = 0;
    if (!record || *size < sizeof(ras95::RASENTRY)) {
        *size = sizeof(ras95::RASENTRY);
        return kBufferTooSmall;
    }
    if (record->dwSize != sizeof(ras95::RASENTRY)) return kInvalidSize;
    *record = stored->entry;
    return 0;
}

__declspec(dllexport) DWORD WINAPI RasSetEntryPropertiesA(LPCSTR, LPCSTR name, ras95::RASENTRY* record, DWORD size,
                                                         LPBYTE, DWORD) {
    if (!record || size != sizeof(ras95::RASENTRY) || record->dwSize != sizeof(ras95::RASENTRY)) return kInvalidSize;
    auto entries = LoadPhonebook();
    StoredEntry* stored = Find(entries, name);
    if (!stored) {
        entries.push_back(StoredEntry{});
        stored = &entries.back();
        Copy(stored->name, name);
    }
    stored->entry = *record;
    SavePhonebook(entries);
    return 0;
}

__declspec(dllexport) DWORD WINAPI RasDeleteEntryA(LPCSTR, LPCSTR name) {
    auto entries = LoadPhonebook();
    StoredEntry* stored = Find(entries, name);
    if (!stored) return kCannotFindEntry;
    entries.erase(entries.begin() + (stored - entries.data()));
    SavePhonebook(entries);
    return 0;
}

__declspec(dllexport) DWORD WINAPI RasEnumDevicesA(ras95::RASDEVINFO* devices, LPDWORD size, LPDWORD count) {
    if (Fails("enum-devices")) return kScriptedFailure;
    auto types = DeviceTypes();
    return Deliver(devices, size, count, types.size(), [&](ras95::RASDEVINFO& device, std::size_t i) {
        Copy(device.szDeviceType, types[i]);
        Copy(device.szDeviceName, "Stand-in " + types[i] + " " + std::to_string(i + 1));
    });
}

__declspec(dllexport) DWORD WINAPI RasEnumEntriesA(LPCSTR, LPCSTR, ras95::RASENTRYNAME* names, LPDWORD size,
                                                  LPDWORD count) {
    if (Fails("enum-entries")) return kScriptedFailure;
    auto entries = LoadPhonebook();
    return Deliver(names, size, count, entries.size(),
                   [&](ras95::RASENTRYNAME& name, std::size_t i) { Copy(name.szEntryName, entries[i].name); });
}

__declspec(dllexport) DWORD WINAPI RasEnumConnectionsA(ras95::RASCONN* connections, LPDWORD size, LPDWORD count) {
    if (Fails("enum-connections")) return kScriptedFailure;
    return Deliver(connections, size, count, connected ? 1 : 0, [](ras95::RASCONN& connection, std::size_t) {
        connection.hrasconn = kConnection;
        Copy(connection.szEntryName, connectedEntry);
        Copy(connection.szDeviceType, "modem");
    });
}

__declspec(dllexport) DWORD WINAPI RasHangUpA(ras95::HRASCONN connection) {
    if (connection != kConnection) return kInvalidHandle;
    InterlockedExchange(&connected, 0);
    return 0;
}

__declspec(dllexport) DWORD WINAPI RasDialA(LPVOID, LPCSTR, ras95::RASDIALPARAMS* parameters, DWORD notifierType,
                                           LPVOID notifier, ras95::HRASCONN* connection) {
    if (!parameters || parameters->dwSize != sizeof(ras95::RASDIALPARAMS) || !connection) return kInvalidSize;
    auto entries = LoadPhonebook();
    if (!Find(entries, parameters->szEntryName)) return kCannotFindEntry;
    if (notifierType != 0 || !notifier) return 87;
    auto* plan = new DialPlan{reinterpret_cast<ras95::RasDialFunc>(notifier), 0, 0};
    std::sscanf(Script()["dial-error"].c_str(), "%lu %lu", &plan->errorState, &plan->errorCode);
    connectedEntry = parameters->szEntryName;
    InterlockedExchange(&connected, 1);
    *connection = kConnection;
    HANDLE thread = CreateThread(nullptr, 0, PlayDial, plan, 0, nullptr);
    if (thread) CloseHandle(thread);
    return 0;
}

__declspec(dllexport) DWORD WINAPI RasGetErrorStringA(UINT code, LPSTR text, DWORD size) {
    auto found = kErrorTexts.find(code);
    if (found == kErrorTexts.end() || !text || size == 0) return 87;
    std::snprintf(text, size, "%s", found->second);
    return 0;
}

} // extern "C"
