// The program's title: the caption of its own message boxes.
#pragma once

inline constexpr const char* kProgramTitle = "Client";
