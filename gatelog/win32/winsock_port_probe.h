// The Battle.net port probe: a plain blocking TCP connect.
#pragma once

#include "gatelog/server_measurement.h"

namespace gatelog {

class WinsockPortProbe : public BattleNetPortProbe {
public:
    // Waits as long as the system's own connect time-out.
    bool ProbeBattleNetPort(std::string_view host) override;
};

} // namespace gatelog
