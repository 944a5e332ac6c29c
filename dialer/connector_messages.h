// The connector's message texts and the commands it starts.
#pragma once

#include <string_view>

namespace dialer::text {

inline constexpr std::string_view kProgramTitle = "Lumanet";

// Network components of Windows 9x and the help keywords that explain them.
inline constexpr std::string_view kBothComponentsMissing =
    "다음사항을 설치하여 주십시오\n1.전화접속어댑터\n2.TCP/IP\n위사항을 반드시 설치하셔야 합니다.";
inline constexpr std::string_view kTcpIpMissing =
    "TCP/IP 프로토콜이 설치 되지 않았읍니다.\nTCP/IP프로토콜을 설치하여 주십시오.";
inline constexpr std::string_view kAdapterMissing =
    "전화접속어댑터가 설치 되지 않았읍니다.\n전화접속어댑터를 설치하여 주십시오.";
inline constexpr std::string_view kAdapterHelpKeyword = "전화접속어댑터";
inline constexpr std::string_view kTcpIpHelpKeyword = "TCP/IP설정방법";
inline constexpr std::string_view kNetworkControlPanel = "RunDll32 shell32.dll,Control_RunDLL netcpl.cpl";

inline constexpr std::string_view kNoPhonebookLibrary =
    "전화접속 구성 DLL이 잘못되었거나 존재하지 않읍니다.\r\n프로그램을 종료합니다.";
inline constexpr std::string_view kEntryCreationFailed = "등록에 실패하였읍니다.";
inline constexpr std::string_view kDnsChangeFailed = "IP변경에 실패하였읍니다.";
inline constexpr std::string_view kNoPhoneNumber = "기존 전화번호값이 없습니다.";

inline constexpr std::string_view kConnectionSetupIncomplete = "연결설정이 완료되지 않았읍니다. 프로그램을 종료합니다.";
inline constexpr std::string_view kOutOfResources = "시스템자원이 부족하여 프로그램을 실행시킬수 없읍니다.";
inline constexpr std::string_view kUndefinedEnumEntriesError = "Undefined RasEnumEntries Error.";
inline constexpr std::string_view kUndefinedDialError = "Undefined RAS Dial Error.";
inline constexpr std::string_view kEntryMissing = "전화접속 네트웩킹설정에 문제가있읍니다.";
inline constexpr std::string_view kDialUpNotInstalled =
    "전화접속 네트웩킹의 구성요소가 설치되지 않은경우입니다.\n확인을 누르면 전화접속네트웩킹을 설치합니다.";
// %s: the Windows directory.
inline constexpr std::string_view kDialUpInstallCommand =
    "RunDll32 setupx.dll,InstallhInfSection rna 2 %s\\inf\\rna.inf 전화접속네트웩킹";
inline constexpr std::string_view kScriptingToolFile = "\\system\\smmscrpt.dll";
inline constexpr std::string_view kScriptingToolMissing =
    "전화접속 스크립트 작성도구가 설치되어있지 않습니다.\n"
    "이 프로그램은 전화접속 네트웍킹의 자동 스크립트 기능으로 접속하므로\n"
    "전화접속 스크립트 작성도구를 반드시 설치하셔야 합니다.\n\n"
    "윈도우즈95 4.00.950B(OSR2)에는 이 기능이 들어 있으나,\n"
    "그 이전의 4.00.950과 4.00.950A에는 따로 설치하셔야 합니다.\n"
    "버전은 제어판 - 시스템 - 일반에서 확인하실 수 있습니다.\n\n"
    "스크립트 작성도구(Script.exe)는 PC통신의 자료실이나\n"
    "운영체제 제작사의 다운로드 사이트(http://www.lumanet.example/script/)에서 받으실 수 있으며,\n"
    "실행하면 스스로 설치됩니다.";

inline constexpr std::string_view kConnectFileUnwritable = "화일을 생성할수 없습니다\n프로그램을 종료합니다";
inline constexpr std::string_view kNoBrowser = "등록된 웹브라우저가 없읍니다.";
inline constexpr std::string_view kProgramNotInstalled = "프로그램이 인스톨되지 않았습니다.";
inline constexpr std::string_view kGrantUnwritable =
    "업데이트 프로그램에 응답할 수 없읍니다.\nconfig\\Receive.ini를 쓸 수 없읍니다.";
// The key whose default value is the registered browser's command line.
inline constexpr std::string_view kBrowserCommandKey = "http\\shell\\open\\command";

inline constexpr std::string_view kNoModem = "모뎀이 설치 되어있지 않습니다.\n모뎀을 설치합니다.";
inline constexpr std::string_view kModemControlPanel = "RunDll32 shell32.dll,Control_RunDLL modem.cpl";

} // namespace dialer::text
