#include "gateway_launcher.h"

#include "gateway_address.h"
#include "machine_registry.h"
#include "message_box.h"
#include "program_path.h"
#include "program_starter.h"
#include "winsock_name_resolver.h"

namespace win {
namespace {

class OwnedMessages : public gateway::MessageSink {
public:
    explicit OwnedMessages(HWND owner) : owner_(owner) {}
    void Show(std::string_view text, std::string_view caption) override { ShowMessage(owner_, text, caption, MB_OK); }

private:
    HWND owner_;
};

} // namespace

void LaunchWithGateway(HWND owner, std::string_view gatewayText) {
    MachineRegistry registry;
    CommandStarter starter;
    OwnedMessages messages(owner);
    gateway::LaunchWithGateway({registry, starter, messages}, gatewayText);
}

std::string ReadGameServerAddress() {
    WinsockNameResolver resolver;
    return gateway::ReadGameServerAddress(ProgramFile("config/position.ini"), resolver);
}

} // namespace win
