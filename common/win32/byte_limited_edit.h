// Edit boxes whose limit counts CP949 bytes, as the data limits do (a 14-byte
// ID is 14 Latin letters or 7 Hangul syllables). Unicode edits count UTF-16
// units, so typed characters, pastes, set texts and text committed by an input
// method are checked here.
#pragma once

#include <windows.h>

#include <cstddef>

namespace win {

// Subclasses edit so that its text never exceeds maxBytes in CP949.
void LimitEditBytes(HWND edit, std::size_t maxBytes);

} // namespace win
