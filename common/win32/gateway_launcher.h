// The gateway launch with the real registry, process start and name service;
// its message boxes belong to owner.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/gateway_launch.h"

namespace win {

void LaunchWithGateway(HWND owner, std::string_view gatewayText);

// The same with the caller's texts and message-box icon; the gateway text is
// asked for only once the Battle.net key is open.
gateway::LaunchOutcome LaunchWithGateway(HWND owner, const gateway::GatewaySource& gatewayText,
                                         const gateway::LaunchTexts& texts, UINT messageIcon);

// The "[GAMEADDR]" address of config\position.ini; WinSock must be started.
std::string ReadGameServerAddress();

} // namespace win
