// The connector's side of the hand-off: what one look at the updater's
// status file decides.
#pragma once

#include <optional>
#include <string>

namespace dialer {

enum class StatusDecision {
    kWait,          // no word yet and the updater still runs
    kGrantRestart,  // "YES": grant the restart and close
    kReloadSkin,    // "UPDATE": reload the skin, then launch
    kLaunch,        // any other word, no file, or no word will come any more
};

// status: the file's bytes, nullopt when it is missing. updaterEnded must be
// taken before the file is read, so that a word written just before the end
// is seen.
StatusDecision DecideOnStatus(const std::optional<std::string>& status, bool updaterEnded);

// Ticks of the poll during which a grant that cannot be written is tried
// again (about ten seconds).
inline constexpr int kGrantAttempts = 34;

} // namespace dialer
