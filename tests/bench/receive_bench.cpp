// The lobby's receive path: framing a received buffer and dispatching every
// message to the view, over a mix of what a busy lobby server sends.
#include "client/lobby_session.h"
#include "client/protocol/wire_format.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Counts what reaches the window, the cheapest view that still sees every call.
class CountingView : public lobby::LobbyControls, public lobby::RoomView, public lobby::LobbyPrompts {
public:
    void SetButtonState(lobby::LobbyButton, lobby::ButtonState) override { ++calls; }
    void EnableChatInput(bool) override { ++calls; }
    void FocusChatInput() override { ++calls; }
    void AddChatLine(std::string_view line, bool) override { calls += line.size(); }
    void SetCaption(std::string_view) override { ++calls; }
    void ShowMessage(std::string_view, std::string_view, lobby::MessageIcon) override { ++calls; }
    void StartTimer(lobby::LobbyTimer) override { ++calls; }
    void StopTimer(lobby::LobbyTimer) override { ++calls; }
    void SetHiddenUserId(std::string_view) override { ++calls; }
    void SetGameAddress(std::string_view) override { ++calls; }
    void ShowRoomRows(const std::vector<std::string>& texts) override { calls += texts.size(); }
    void ShowUsers(const std::vector<std::string>& ids) override { calls += ids.size(); }
    std::string RoomRowText(int) const override { return {}; }
    std::vector<std::string> DirectPlayApplications() const override { return {}; }
    void SelectApplication(int) override { ++calls; }
    void RenewDirectPlayLists() override { ++calls; }
    void SetRoomTitleField(std::string_view) override { ++calls; }
    std::optional<lobby::RoomRequest> RunRoomCreation(const std::vector<std::string>&) override { return {}; }
    void OpenRoomWindow(std::string_view, bool) override { ++calls; }
    void CloseRoomWindow() override { ++calls; }
    void ShowRoomChatLine(std::string_view) override { ++calls; }
    void ShowRoomMembers(const std::vector<std::string>& ids) override { calls += ids.size(); }
    void GrantRoomHost() override { ++calls; }
    void ShowRoomMessage(std::string_view, std::string_view, lobby::MessageIcon) override { ++calls; }
    bool RunReceivedMemo(std::string_view, std::string_view) override { return false; }
    std::optional<std::string> RunMemoSend(std::string_view) override { return {}; }

    std::size_t calls = 0;
};

class NullTransport : public lobby::LobbyTransport {
public:
    bool Connect() override { return true; }
    bool IsOpen() const override { return true; }
    void Send(std::string_view, lobby::Delivery) override {}
    void Disconnect(lobby::Delivery) override {}
};

// One padded block per message, as the server sends them, two per receive.
std::vector<std::string> Receives() {
    const std::vector<std::string> mix = {
        "[kim] 안녕하세요 오늘 한 판 어때요?",
        "[lee] 좋아요 방 만들게요",
        "ROOT^kim^lee^park^choi^jung^kang^cho^yoon^jang^lim",
        "ROOMTITLE^초보만^1^0^2^4^StarCraft^YES^x^고수방^2^0^8^8^StarCraft^NO^x^아무나^3^0^1^2^Game^YES^[END]",
        "[park] ㅋㅋㅋ",
        "CLIENT_IP_ADDRESS^192.168.100.200^padding",
        "[choi] 저도 껴주세요",
        "INIT_TREE",
    };
    std::vector<std::string> receives;
    for (std::size_t i = 0; i < mix.size(); i += 2) {
        std::string data;
        for (std::size_t j = i; j < i + 2; ++j) {
            std::string block = "SERVER01^" + mix[j];
            block.resize(lobby::kSendBlockSize, '\0');
            data += block;
        }
        receives.push_back(data);
    }
    return receives;
}

void ReceivePath(benchmark::State& state) {
    CountingView view;
    NullTransport transport;
    lobby::LobbySession session(view, view, view, transport);
    session.OnIdPromptClosed(std::string("bench"));
    const auto receives = Receives();
    lobby::ReceiveFramer framer;
    std::int64_t messages = 0;
    for (auto _ : state) {
        for (const auto& data : receives) {
            for (const auto& message : framer.Feed(data)) {
                session.HandleServerMessage(message);
                ++messages;
            }
        }
    }
    benchmark::DoNotOptimize(view.calls);
    state.SetItemsProcessed(messages);
    state.counters["messages/s"] = benchmark::Counter(static_cast<double>(messages), benchmark::Counter::kIsRate);
}
BENCHMARK(ReceivePath);

} // namespace
