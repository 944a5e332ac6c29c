#include "common/win32/message_box.h"

#include "common/win32/text.h"

namespace win {

int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

} // namespace win
