#include "common/gateway_launch.h"

#include <string>

namespace gateway {
namespace {

// The gateway is written even when StarCraft turns out to be missing, so the
// next start of an installed game already points at the chosen server.
bool WriteGateway(const LaunchServices& services, const GatewaySource& gatewayText) {
    auto key = services.registry.OpenForWrite(kBattleNetKey);
    if (!key) {
        key = services.registry.Create(kBattleNetKey);
        if (!key) {
            services.messages.Show(services.texts.keyCreateFailed, services.texts.keyCreateFailedCaption);
            return false;
        }
        key->WriteDword(kServerVersionValue, kServerVersion);
    }
    key->WriteString(kServerListValue, gatewayText());
    return true;
}

LaunchOutcome StartStarcraft(const LaunchServices& services) {
    auto key = services.registry.OpenForRead(kStarcraftKey);
    if (!key) {
        services.messages.Show(services.texts.notInstalled, services.texts.notInstalledCaption);
        return LaunchOutcome::kNotInstalled;
    }
    auto command = key->ReadString(kProgramValue);
    // A command that does not fit the command buffer is not started cut short:
    // the shortened path would name another program.
    if (!command || command->empty() || command->size() > kMaxCommandBytes) return LaunchOutcome::kNoProgram;
    services.starter.Start(*command, kShowDefault);
    return LaunchOutcome::kStarted;
}

} // namespace

LaunchOutcome LaunchWithGateway(const LaunchServices& services, const GatewaySource& gatewayText) {
    if (!WriteGateway(services, gatewayText)) return LaunchOutcome::kKeyCreateFailed;
    return StartStarcraft(services);
}

LaunchOutcome LaunchWithGateway(const LaunchServices& services, std::string_view gatewayText) {
    return LaunchWithGateway(services, [gatewayText] { return std::string(gatewayText); });
}

} // namespace gateway
