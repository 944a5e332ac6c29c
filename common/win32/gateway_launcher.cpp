#include "common/win32/gateway_launcher.h"

#include "common/gateway_address.h"
#include "common/win32/machine_registry.h"
#include "common/win32/message_box.h"
#include "common/win32/program_path.h"
#include "common/win32/program_starter.h"
#include "common/win32/winsock_name_resolver.h"

namespace win {
namespace {

class OwnedMessages : public gateway::MessageSink {
public:
    OwnedMessages(HWND owner, UINT icon) : owner_(owner), icon_(icon) {}
    void Show(std::string_view text, std::string_view caption) override {
        ShowMessage(owner_, text, caption, MB_OK | icon_);
    }

private:
    HWND owner_;
    UINT icon_;
};

} // namespace

void LaunchWithGateway(HWND owner, std::string_view gatewayText) {
    LaunchWithGateway(owner, [gatewayText] { return std::string(gatewayText); }, gateway::kNotebookTexts, 0);
}

gateway::LaunchOutcome LaunchWithGateway(HWND owner, const gateway::GatewaySource& gatewayText,
                                         const gateway::LaunchTexts& texts, UINT messageIcon) {
    MachineRegistry registry;
    CommandStarter starter;
    OwnedMessages messages(owner, messageIcon);
    return gateway::LaunchWithGateway({registry, starter, messages, texts}, gatewayText);
}

std::string ReadGameServerAddress() {
    WinsockNameResolver resolver;
    return gateway::ReadGameServerAddress(ProgramFile("config/position.ini"), resolver);
}

} // namespace win
