#include "dialer/hand_off_poll.h"

#include "common/hand_off_contract.h"

namespace dialer {

StatusDecision DecideOnStatus(const std::optional<std::string>& status, bool updaterEnded) {
    if (!status || status->empty()) return StatusDecision::kLaunch;
    // A flag that starts with a zero byte is "not yet".
    if (status->front() == '\0') return updaterEnded ? StatusDecision::kLaunch : StatusDecision::kWait;
    std::string_view word = hand_off::FlagWord(*status);
    if (word == hand_off::kRestartWanted) return StatusDecision::kGrantRestart;
    if (word == hand_off::kUpdated) return StatusDecision::kReloadSkin;
    return StatusDecision::kLaunch;
}

} // namespace dialer
