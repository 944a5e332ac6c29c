// The gateway launch with the real registry, process start and name service;
// its message boxes belong to owner.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

void LaunchWithGateway(HWND owner, std::string_view gatewayText);

// The "[GAMEADDR]" address of config\position.ini; WinSock must be started.
std::string ReadGameServerAddress();

} // namespace win
