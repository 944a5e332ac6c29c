#include "gatelog/server_measurement.h"

namespace gatelog {

std::string MeasurementText(const PingResult& ping, bool portOpen) {
    if (ping.status == PingStatus::kNotMeasured) return std::string(kServerNotFound);
    return std::to_string(ping.averageMs) + " ms" + std::string(portOpen ? kPortOpenSuffix : kPortClosedSuffix);
}

std::string MeasureServer(EchoNetwork& network, net::NameResolver& names, BattleNetPortProbe& port,
                          std::string_view address, std::uint16_t identifier) {
    PingResult ping = PingHost(network, names, address, kProbesPerMeasurement, identifier);
    bool portOpen = ping.status != PingStatus::kNotMeasured && port.ProbeBattleNetPort(address);
    return MeasurementText(ping, portOpen);
}

} // namespace gatelog
