#include "gateway_launch.h"

namespace gateway {
namespace {

// The gateway is written even when StarCraft turns out to be missing, so the
// next start of an installed game already points at the chosen server.
bool WriteGateway(const LaunchServices& services, std::string_view gatewayText) {
    auto key = services.registry.OpenForWrite(kBattleNetKey);
    if (!key) {
        key = services.registry.Create(kBattleNetKey);
        if (!key) {
            services.messages.Show(kKeyCreateFailed, kKeyCreateFailedCaption);
            return false;
        }
        key->WriteDword(kServerVersionValue, kServerVersion);
    }
    key->WriteString(kServerListValue, gatewayText);
    return true;
}

void StartStarcraft(const LaunchServices& services) {
    auto key = services.registry.OpenForRead(kStarcraftKey);
    if (!key) {
        services.messages.Show(kNotInstalled, kNotInstalledCaption);
        return;
    }
    auto command = key->ReadString(kProgramValue);
    // A command that does not fit the command buffer is not started cut short:
    // the shortened path would name another program.
    if (!command || command->empty() || command->size() > kMaxCommandBytes) return;
    services.starter.Start(*command, kShowDefault);
}

} // namespace

void LaunchWithGateway(const LaunchServices& services, std::string_view gatewayText) {
    if (WriteGateway(services, gatewayText)) StartStarcraft(services);
}

} // namespace gateway
