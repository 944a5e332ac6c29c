// The caption that most of the suite's message boxes carry.
#pragma once

namespace notice {
inline constexpr const char* kCaption = "알림";
}
