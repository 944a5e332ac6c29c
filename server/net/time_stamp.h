// The local time of a log line, "2024-05-01 21:14:03".
#pragma once

#include <ctime>
#include <string>

namespace lobby_server {

inline std::string TimeStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace lobby_server
