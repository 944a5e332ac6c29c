// lobby_load: simulated lobby users on loopback, in rooms, each chatting at a
// fixed rate for a bounded time, against our lobby server or, as the anchor,
// an IRC server (channels and PRIVMSG). Prints the relayed messages per second
// and the relay latency percentiles as one line of key=value pairs.
//
//   lobby_load --protocol lobby|irc --port P [--clients 500] [--room-size 8]
//              [--rate 5] [--seconds 20]
#include "client/games/game_kind.h"
#include "client/protocol/outgoing_messages.h"
#include "client/protocol/server_message.h"
#include "client/protocol/wire_format.h"
#include "client/user_id.h"
#include "common/decimal.h"

#include <asio.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::tcp;

struct Options {
    bool irc = false;
    unsigned short port = 0;
    int clients = 500;
    int roomSize = 8;
    double rate = 5;
    int seconds = 20;
};

long long MicrosNow() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

class Load;

// One simulated user: logs in, gets into its room, then chats until told to stop.
class User : public std::enable_shared_from_this<User> {
public:
    User(Load& load, asio::io_context& io, int index) : load_(load), socket_(io), timer_(io), index_(index) {}
    void Start();
    void EnterRoom();
    void JoinNumber(int number);
    // The next chat line after wait; the first wait spreads the users' lines.
    void ChatLater(Clock::duration wait);
    void StopChatting() { timer_.cancel(); }

    int index() const { return index_; }
    std::string Name() const { return "u" + std::to_string(index_); }

private:
    void Send(const std::string& text);
    void WriteQueued();
    void Read();
    void OnMessage(const std::string& text);

    Load& load_;
    tcp::socket socket_;
    asio::steady_timer timer_;
    int index_;
    lobby::SendBlock block_{};
    asio::streambuf lines_;
    std::deque<std::string> outgoing_;
    bool writing_ = false;
};

class Load {
public:
    Load(asio::io_context& io, const Options& options) : io_(io), options_(options), deadline_(io) {}

    void Run() {
        for (int i = 0; i < options_.clients; ++i) users_.push_back(std::make_shared<User>(*this, io_, i));
        // A few connections at a time: a burst of hundreds overflows a server's
        // listen backlog, and the kernel's retries would then set the pace.
        for (int i = 0; i < std::min(kConnectingAtOnce, options_.clients); ++i) users_[startedUsers_++]->Start();
        deadline_.expires_after(kSetupTime);
        deadline_.async_wait([this](asio::error_code error) {
            if (!error) Failed("setup not done in time: " + std::to_string(loggedIn_) + " logged in, " +
                               std::to_string(inRoom_) + " in their rooms");
        });
        io_.run();
    }

    const Options& options() const { return options_; }
    int RoomOf(int index) const { return index / options_.roomSize; }
    bool IsHost(int index) const { return index % options_.roomSize == 0; }

    void LoggedIn() {
        if (startedUsers_ < options_.clients) users_[startedUsers_++]->Start();
        if (++loggedIn_ < options_.clients) return;
        // Every host makes its room; the members join once the number is known.
        for (auto& user : users_)
            if (options_.irc || IsHost(user->index())) user->EnterRoom();
    }

    void RoomMade(int hostIndex, int number) {
        for (int i = hostIndex + 1; i < std::min(options_.clients, hostIndex + options_.roomSize); ++i)
            users_[i]->JoinNumber(number);
    }

    void InRoom() {
        if (++inRoom_ < options_.clients) return;
        std::mt19937 random(7);
        std::uniform_int_distribution<long long> spread(0, static_cast<long long>(1e6 / options_.rate));
        chatting_ = true;
        started_ = Clock::now();
        deadline_.cancel();
        for (auto& user : users_) user->ChatLater(std::chrono::microseconds(spread(random)));
        deadline_.expires_after(std::chrono::seconds(options_.seconds));
        deadline_.async_wait([this](asio::error_code error) {
            if (error) return;
            chatting_ = false;
            ended_ = Clock::now();
            for (auto& user : users_) user->StopChatting();
            // What is on its way still counts; then the run ends.
            deadline_.expires_after(std::chrono::seconds(2));
            deadline_.async_wait([this](asio::error_code) { io_.stop(); });
        });
    }

    bool chatting() const { return chatting_; }
    void Sent() { ++sent_; }
    void Relayed(long long sentMicros) {
        latencies_.push_back(static_cast<std::uint32_t>(std::max(0LL, MicrosNow() - sentMicros)));
    }
    void Failed(const std::string& what) {
        std::fprintf(stderr, "lobby_load: %s\n", what.c_str());
        io_.stop();
        failed_ = true;
    }

    int Report() {
        if (failed_ || latencies_.empty()) return 1;
        double seconds = std::chrono::duration<double>(ended_ - started_).count();
        auto percentile = [this](double p) {
            auto at = latencies_.begin() + static_cast<std::ptrdiff_t>(p * static_cast<double>(latencies_.size() - 1));
            std::nth_element(latencies_.begin(), at, latencies_.end());
            return *at / 1000.0;
        };
        std::printf("protocol=%s clients=%d room_size=%d rate=%.1f seconds=%.1f sent=%lld relayed=%zu "
                    "relayed_per_second=%.0f p50_ms=%.3f p99_ms=%.3f\n",
                    options_.irc ? "irc" : "lobby", options_.clients, options_.roomSize, options_.rate, seconds, sent_,
                    latencies_.size(), static_cast<double>(latencies_.size()) / seconds, percentile(0.5),
                    percentile(0.99));
        return 0;
    }

private:
    static constexpr int kConnectingAtOnce = 16;
    static constexpr auto kSetupTime = std::chrono::seconds(300);

    asio::io_context& io_;
    Options options_;
    asio::steady_timer deadline_;
    std::vector<std::shared_ptr<User>> users_;
    int startedUsers_ = 0;
    int loggedIn_ = 0;
    int inRoom_ = 0;
    bool chatting_ = false;
    bool failed_ = false;
    Clock::time_point started_, ended_;
    long long sent_ = 0;
    std::vector<std::uint32_t> latencies_;
};

void User::Start() {
    auto self = shared_from_this();
    socket_.async_connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), load_.options().port),
                          [this, self](asio::error_code error) {
                              if (error) return load_.Failed("connect: " + error.message());
                              socket_.set_option(tcp::no_delay(true));
                              if (load_.options().irc) Send("NICK " + Name() + "\r\nUSER " + Name() + " 0 * :load\r\n");
                              else Send(lobby::outgoing::Login(Name()));
                              Read();
                          });
}

void User::EnterRoom() {
    int room = load_.RoomOf(index_);
    if (load_.options().irc) Send("JOIN #r" + std::to_string(room) + "\r\n");
    else
        Send(lobby::outgoing::NewRoom("r" + std::to_string(room), static_cast<unsigned>(load_.options().roomSize),
                                      lobby::kStarCraft, "StarCraft"));
}

void User::JoinNumber(int number) { Send(lobby::outgoing::Join(number)); }

void User::ChatLater(Clock::duration wait) {
    auto self = shared_from_this();
    timer_.expires_after(wait);
    timer_.async_wait([this, self](asio::error_code error) {
        if (error || !load_.chatting()) return;
        std::string stamp = "t=" + std::to_string(MicrosNow());
        if (load_.options().irc) Send("PRIVMSG #r" + std::to_string(load_.RoomOf(index_)) + " :" + stamp + "\r\n");
        else Send(lobby::ChatPrefix(Name()) + " " + stamp);
        load_.Sent();
        ChatLater(std::chrono::microseconds(static_cast<long long>(1e6 / load_.options().rate)));
    });
}

void User::Send(const std::string& text) {
    if (load_.options().irc) {
        outgoing_.push_back(text);
    } else {
        lobby::SendBlock block = lobby::MakeSendBlock(text);
        outgoing_.emplace_back(block.begin(), block.end());
    }
    if (!writing_) WriteQueued();
}

// Everything queued goes out in one write, in order.
void User::WriteQueued() {
    auto self = shared_from_this();
    auto batch = std::make_shared<std::string>();
    for (auto& text : outgoing_) *batch += text;
    outgoing_.clear();
    writing_ = true;
    asio::async_write(socket_, asio::buffer(*batch), [this, self, batch](asio::error_code error, std::size_t) {
        writing_ = false;
        if (error) return load_.Failed("write: " + error.message());
        if (!outgoing_.empty()) WriteQueued();
    });
}

void User::Read() {
    auto self = shared_from_this();
    auto done = [this, self](asio::error_code error, std::size_t size) {
        if (error) return load_.Failed("read: " + error.message());
        if (load_.options().irc) {
            std::string line(asio::buffers_begin(lines_.data()), asio::buffers_begin(lines_.data()) + size - 2);
            lines_.consume(size);
            OnMessage(line);
        } else {
            OnMessage(lobby::StripHeader(std::string_view(block_.data(), strnlen(block_.data(), block_.size()))));
        }
        Read();
    };
    if (load_.options().irc) asio::async_read_until(socket_, lines_, "\r\n", done);
    else asio::async_read(socket_, asio::buffer(block_), done);
}

void User::OnMessage(const std::string& text) {
    auto stampOf = [&](std::size_t from) {
        std::size_t at = text.find("t=", from);
        return at == std::string::npos ? -1 : std::atoll(text.c_str() + at + 2);
    };
    if (load_.options().irc) {
        if (text.rfind("PING ", 0) == 0) return Send("PONG " + text.substr(5) + "\r\n");
        std::size_t command = text.find(' ');
        std::string code = command == std::string::npos ? "" : text.substr(command + 1, 3);
        if (code == "001") return load_.LoggedIn();
        if (code == "366") return load_.InRoom();
        if (code == "433" || code == "471" || code == "474") return load_.Failed("irc refused: " + text);
        if (text.find(" PRIVMSG ") != std::string::npos) {
            long long stamp = stampOf(text.find(" :"));
            if (stamp >= 0) load_.Relayed(stamp);
        }
        return;
    }
    using namespace lobby::message;
    auto message = lobby::ParseServerMessage(text);
    if (auto* login = std::get_if<LoginReply>(&message)) {
        if (login->accepted) return load_.LoggedIn();
        return load_.Failed("lobby refused: " + text);
    }
    if (std::holds_alternative<Info>(message)) return load_.Failed("lobby refused: " + text);
    if (auto* room = std::get_if<RoomNumber>(&message)) {
        load_.RoomMade(index_, room->number);
        return load_.InRoom();
    }
    if (auto* join = std::get_if<JoinReply>(&message)) {
        if (join->yes) return load_.InRoom();
        return load_.Failed("join refused");
    }
    if (std::holds_alternative<ChatLine>(message) && text.rfind("[", 0) == 0 &&
        text.rfind(lobby::ChatPrefix(Name()), 0) != 0) {
        long long stamp = stampOf(0);
        if (stamp >= 0) load_.Relayed(stamp);
    }
}

// A number option; false when the text is not one, so a typo gets the usage instead of an exception.
template <class Number> bool ReadNumber(const std::string& text, Number& into) {
    auto value = decimal::ParseDigits<Number>(text);
    if (value) into = *value;
    return value.has_value();
}

bool ReadRate(const std::string& text, double& rate) {
    char* end = nullptr;
    rate = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string name = argv[i], value = argv[i + 1];
        bool read = true;
        if (name == "--protocol") options.irc = value == "irc";
        else if (name == "--port") read = ReadNumber(value, options.port);
        else if (name == "--clients") read = ReadNumber(value, options.clients);
        else if (name == "--room-size") read = ReadNumber(value, options.roomSize);
        else if (name == "--rate") read = ReadRate(value, options.rate);
        else if (name == "--seconds") read = ReadNumber(value, options.seconds);
        else read = false;
        if (!read) return false;
    }
    return argc % 2 == 1 && options.port != 0 && options.clients > 0 && options.roomSize > 1 && options.rate > 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs("usage: lobby_load --protocol lobby|irc --port P [--clients N] [--room-size N] [--rate LINES_PER_S] "
                   "[--seconds S]\n",
                   stderr);
        return 2;
    }
    asio::io_context io(1);
    Load load(io, options);
    load.Run();
    return load.Report();
}
