// Message boxes with CP949 texts.
#pragma once

#include <windows.h>

#include "common/notice.h"

#include <string_view>

namespace win {

// flags are the MessageBox flags (button set and icon); returns the button id.
int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT flags = MB_OK);

inline constexpr const char* kNoticeCaption = notice::kCaption;

} // namespace win
