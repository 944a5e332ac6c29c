#include "gatelog/win32/precise_tick.h"

#include <windows.h>

namespace gatelog {

std::uint32_t PreciseTickCount() {
    LARGE_INTEGER frequency, counter;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 || !QueryPerformanceCounter(&counter)) {
        return GetTickCount();
    }
    // Split so that counter * 1000 cannot overflow on a fast counter.
    long long seconds = counter.QuadPart / frequency.QuadPart;
    long long rest = counter.QuadPart % frequency.QuadPart;
    return static_cast<std::uint32_t>(seconds * 1000 + rest * 1000 / frequency.QuadPart);
}

} // namespace gatelog
