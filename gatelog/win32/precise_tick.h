// A millisecond tick count for round trips. GetTickCount moves in steps of
// the system timer (10 to 16 ms, and under Wine it can lag by as much), which
// turns a LAN or loopback round trip into 0 or 15; the performance counter
// gives the whole milliseconds that elapsed.
#pragma once

#include <cstdint>

namespace gatelog {

// Milliseconds since an arbitrary start, wrapping like GetTickCount.
std::uint32_t PreciseTickCount();

} // namespace gatelog
