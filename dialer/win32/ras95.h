// The Remote Access structures of Windows 95 (the ANSI ones of the Windows
// 4.0 headers), declared here because today's headers give later, larger
// layouts. Windows tells a structure's version by its dwSize, so every
// record the connector hands over carries these sizes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace ras95 {

inline constexpr std::size_t kMaxAreaCode = 10;
inline constexpr std::size_t kMaxPhoneNumber = 128;
inline constexpr std::size_t kMaxDeviceType = 16;
inline constexpr std::size_t kMaxDeviceName = 128;
inline constexpr std::size_t kMaxEntryName = 256;
inline constexpr std::size_t kMaxCallbackNumber = 128;
inline constexpr std::size_t kMaxUserName = 256;
inline constexpr std::size_t kMaxPassword = 256;
inline constexpr std::size_t kMaxDomain = 15;
inline constexpr std::size_t kMaxPadType = 32;
inline constexpr std::size_t kMaxX25Address = 200;
inline constexpr std::size_t kMaxFacilities = 200;
inline constexpr std::size_t kMaxUserData = 200;

// The message a notifier of type 0 receives its states with.
inline constexpr UINT WM_RASDIALEVENT = 0xCCCD;

using HRASCONN = HANDLE;

#pragma pack(push, 4)

struct RASIPADDR {
    BYTE a, b, c, d;
};

struct RASENTRY {
    DWORD dwSize;
    DWORD dwfOptions;
    DWORD dwCountryID;
    DWORD dwCountryCode;
    CHAR szAreaCode[kMaxAreaCode + 1];
    CHAR szLocalPhoneNumber[kMaxPhoneNumber + 1];
    DWORD dwAlternateOffset;
    RASIPADDR ipaddr;
    RASIPADDR ipaddrDns;
    RASIPADDR ipaddrDnsAlt;
    RASIPADDR ipaddrWins;
    RASIPADDR ipaddrWinsAlt;
    DWORD dwFrameSize;
    DWORD dwfNetProtocols;
    DWORD dwFramingProtocol;
    CHAR szScript[MAX_PATH];
    CHAR szAutodialDll[MAX_PATH];
    CHAR szAutodialFunc[MAX_PATH];
    CHAR szDeviceType[kMaxDeviceType + 1];
    CHAR szDeviceName[kMaxDeviceName + 1];
    CHAR szX25PadType[kMaxPadType + 1];
    CHAR szX25Address[kMaxX25Address + 1];
    CHAR szX25Facilities[kMaxFacilities + 1];
    CHAR szX25UserData[kMaxUserData + 1];
    DWORD dwChannels;
    DWORD dwReserved1;
    DWORD dwReserved2;
};

struct RASDEVINFO {
    DWORD dwSize;
    CHAR szDeviceType[kMaxDeviceType + 1];
    CHAR szDeviceName[kMaxDeviceName + 1];
};

struct RASENTRYNAME {
    DWORD dwSize;
    CHAR szEntryName[kMaxEntryName + 1];
};

struct RASCONN {
    DWORD dwSize;
    HRASCONN hrasconn;
    CHAR szEntryName[kMaxEntryName + 1];
    CHAR szDeviceType[kMaxDeviceType + 1];
    CHAR szDeviceName[kMaxDeviceName + 1];
};

struct RASDIALPARAMS {
    DWORD dwSize;
    CHAR szEntryName[kMaxEntryName + 1];
    CHAR szPhoneNumber[kMaxPhoneNumber + 1];
    CHAR szCallbackNumber[kMaxCallbackNumber + 1];
    CHAR szUserName[kMaxUserName + 1];
    CHAR szPassword[kMaxPassword + 1];
    CHAR szDomain[kMaxDomain + 1];
};

#pragma pack(pop)

static_assert(sizeof(RASENTRY) == 1768);
static_assert(offsetof(RASENTRY, szLocalPhoneNumber) == 27);
static_assert(offsetof(RASENTRY, ipaddrDns) == 164);
static_assert(offsetof(RASENTRY, szScript) == 192);
static_assert(offsetof(RASENTRY, szDeviceType) == 972);
static_assert(offsetof(RASENTRY, szDeviceName) == 989);
static_assert(offsetof(RASENTRY, dwChannels) == 1756);
static_assert(sizeof(RASDEVINFO) == 152);
static_assert(offsetof(RASDEVINFO, szDeviceName) == 21);
static_assert(sizeof(RASENTRYNAME) == 264);
static_assert(sizeof(RASDIALPARAMS) == 1052);
static_assert(offsetof(RASDIALPARAMS, szDomain) == 1033);
// A connection handle is a pointer: the record has its Windows 95 size only
// in a 32-bit build.
static_assert(sizeof(void*) != 4 || sizeof(RASCONN) == 412);
static_assert(offsetof(RASCONN, szEntryName) == 4 + sizeof(HRASCONN));

// Connection states of a dial.
enum RASCONNSTATE : DWORD {
    RASCS_OpenPort = 0,
    RASCS_PortOpened = 1,
    RASCS_ConnectDevice = 2,
    RASCS_DeviceConnected = 3,
    RASCS_AllDevicesConnected = 4,
    RASCS_Authenticate = 5,
    RASCS_Authenticated = 14,
    RASCS_Connected = 0x2000,
    RASCS_Disconnected = 0x2001,
};

// The notifier of type 0.
using RasDialFunc = VOID(WINAPI*)(UINT message, RASCONNSTATE state, DWORD error);

// The functions, with the signatures of their ANSI versions.
using GetEntryPropertiesFn = DWORD(WINAPI*)(LPCSTR phonebook, LPCSTR entry, RASENTRY* record, LPDWORD recordSize,
                                            LPBYTE deviceInfo, LPDWORD deviceInfoSize);
using SetEntryPropertiesFn = DWORD(WINAPI*)(LPCSTR phonebook, LPCSTR entry, RASENTRY* record, DWORD recordSize,
                                            LPBYTE deviceInfo, DWORD deviceInfoSize);
using DeleteEntryFn = DWORD(WINAPI*)(LPCSTR phonebook, LPCSTR entry);
using EnumDevicesFn = DWORD(WINAPI*)(RASDEVINFO* devices, LPDWORD size, LPDWORD count);
using EnumEntriesFn = DWORD(WINAPI*)(LPCSTR reserved, LPCSTR phonebook, RASENTRYNAME* names, LPDWORD size,
                                     LPDWORD count);
using EnumConnectionsFn = DWORD(WINAPI*)(RASCONN* connections, LPDWORD size, LPDWORD count);
using HangUpFn = DWORD(WINAPI*)(HRASCONN connection);
using GetErrorStringFn = DWORD(WINAPI*)(UINT code, LPSTR text, DWORD size);
using DialFn = DWORD(WINAPI*)(LPVOID extensions, LPCSTR phonebook, RASDIALPARAMS* parameters, DWORD notifierType,
                              LPVOID notifier, HRASCONN* connection);

} // namespace ras95
