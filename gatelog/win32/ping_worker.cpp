#include "gatelog/win32/ping_worker.h"

#include "gatelog/server_measurement.h"
#include "gatelog/win32/winsock_echo_network.h"
#include "common/win32/winsock_name_resolver.h"
#include "gatelog/win32/winsock_port_probe.h"

namespace gatelog {
namespace {

DWORD WINAPI PingWorker(LPVOID parameter) {
    std::unique_ptr<std::shared_ptr<PingJob>> handed(static_cast<std::shared_ptr<PingJob>*>(parameter));
    std::shared_ptr<PingJob> job = std::move(*handed);

    WinsockEchoNetwork network;
    win::WinsockNameResolver names;
    WinsockPortProbe port;
    auto identifier = static_cast<std::uint16_t>(GetCurrentProcessId() & 0xFFFF);
    job->result = MeasureServer(network, names, port, job->address, identifier);
    SendMessageW(job->window, WM_PING_DONE, 0, 0);
    return 0;
}

} // namespace

bool StartPingWorker(const std::shared_ptr<PingJob>& job) {
    auto handed = std::make_unique<std::shared_ptr<PingJob>>(job);
    HANDLE thread = CreateThread(nullptr, 0, PingWorker, handed.get(), 0, nullptr);
    if (!thread) return false;
    handed.release();
    CloseHandle(thread);
    return true;
}

} // namespace gatelog
