// Measuring one server on a thread of its own. The worker reports to the
// window with a synchronous WM_PING_DONE, so the window reads the result
// only after the worker has finished writing it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace gatelog {

inline constexpr UINT WM_PING_DONE = WM_USER + 100;
static_assert(WM_PING_DONE == 1124);

// Shared by the window and the worker, so neither outlives what it reads.
struct PingJob {
    HWND window = nullptr;
    // A copy taken when the measurement starts: picking another row meanwhile
    // does not change what is measured.
    std::string address;
    std::string result;
};

// False when no thread could be started.
bool StartPingWorker(const std::shared_ptr<PingJob>& job);

} // namespace gatelog
