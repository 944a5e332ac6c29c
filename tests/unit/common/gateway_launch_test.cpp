#include "common/gateway_launch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <variant>
#include <vector>

namespace gateway {
namespace {

using Value = std::variant<std::string, std::uint32_t>;
using Key = std::map<std::string, Value, std::less<>>;

// The part of HKEY_LOCAL_MACHINE the launch touches.
class FakeRegistry : public Registry {
public:
    std::map<std::string, Key, std::less<>> keys;
    bool creationFails = false;
    std::vector<std::string> created;

    std::unique_ptr<RegistryKey> OpenForWrite(std::string_view path) override { return Find(path); }
    std::unique_ptr<RegistryKey> OpenForRead(std::string_view path) override { return Find(path); }
    std::unique_ptr<RegistryKey> Create(std::string_view path) override {
        if (creationFails) return nullptr;
        created.emplace_back(path);
        keys[std::string(path)];
        return Find(path);
    }

private:
    class OpenKey : public RegistryKey {
    public:
        explicit OpenKey(Key& key) : key_(key) {}
        bool WriteString(std::string_view name, std::string_view text) override {
            key_[std::string(name)] = std::string(text);
            return true;
        }
        bool WriteDword(std::string_view name, std::uint32_t value) override {
            key_[std::string(name)] = value;
            return true;
        }
        std::optional<std::string> ReadString(std::string_view name) override {
            auto found = key_.find(name);
            if (found == key_.end() || !std::holds_alternative<std::string>(found->second)) return std::nullopt;
            return std::get<std::string>(found->second);
        }

    private:
        Key& key_;
    };

    std::unique_ptr<RegistryKey> Find(std::string_view path) {
        auto found = keys.find(path);
        return found == keys.end() ? nullptr : std::make_unique<OpenKey>(found->second);
    }
};

struct Started {
    std::string command;
    int showMode;
    bool operator==(const Started&) const = default;
};

class FakeStarter : public ProgramStarter {
public:
    std::vector<Started> started;
    void Start(std::string_view command, int showMode) override { started.push_back({std::string(command), showMode}); }
};

struct Shown {
    std::string text, caption;
    bool operator==(const Shown&) const = default;
};

class FakeMessages : public MessageSink {
public:
    std::vector<Shown> shown;
    void Show(std::string_view text, std::string_view caption) override {
        shown.push_back({std::string(text), std::string(caption)});
    }
};

class LaunchWithGatewayTest : public ::testing::Test {
protected:
    void InstallStarcraft(std::string program = "C:\\Starcraft\\StarCraft.exe") {
        registry.keys["Software\\Blizzard Entertainment\\Starcraft"]["Program"] = std::move(program);
    }
    Key& BattleNet() { return registry.keys.at("Software\\Battle.net\\Configuration"); }
    LaunchOutcome Launch(std::string_view text) { return LaunchWithGateway({registry, starter, messages}, text); }

    FakeRegistry registry;
    FakeStarter starter;
    FakeMessages messages;
};

TEST_F(LaunchWithGatewayTest, CreatesTheMissingKeyWithVersionOneAndStartsTheGame) {
    InstallStarcraft();
    EXPECT_EQ(Launch("bnet.example"), LaunchOutcome::kStarted);
    EXPECT_EQ(registry.created, std::vector<std::string>{"Software\\Battle.net\\Configuration"});
    EXPECT_EQ(BattleNet(), (Key{{"Server List", std::string("bnet.example")}, {"Server Version", 1u}}));
    EXPECT_EQ(starter.started, (std::vector<Started>{{"C:\\Starcraft\\StarCraft.exe", 10}}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LaunchWithGatewayTest, ExistingKeyGetsOnlyTheServerList) {
    InstallStarcraft();
    registry.keys["Software\\Battle.net\\Configuration"] = {{"Server Version", 7u}, {"Server List", std::string("old")}};
    Launch("127.0.0.1");
    EXPECT_TRUE(registry.created.empty());
    EXPECT_EQ(BattleNet(), (Key{{"Server List", std::string("127.0.0.1")}, {"Server Version", 7u}}));
}

TEST_F(LaunchWithGatewayTest, EmptyTextWritesAnEmptyServerList) {
    InstallStarcraft();
    registry.keys["Software\\Battle.net\\Configuration"] = {{"Server List", std::string("old")}};
    Launch("");
    EXPECT_EQ(BattleNet().at("Server List"), Value(std::string()));
    EXPECT_EQ(starter.started.size(), 1u);
}

TEST_F(LaunchWithGatewayTest, KeyThatCannotBeCreatedStopsEverything) {
    InstallStarcraft();
    registry.creationFails = true;
    EXPECT_EQ(Launch("bnet.example"), LaunchOutcome::kKeyCreateFailed);
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{"디렉토리 생성 실패", "알림"}}));
    EXPECT_FALSE(registry.keys.contains("Software\\Battle.net\\Configuration"));
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(LaunchWithGatewayTest, MissingStarcraftIsReportedAfterTheGatewayIsWritten) {
    EXPECT_EQ(Launch("bnet.example"), LaunchOutcome::kNotInstalled);
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{"스타크래프트가 인스톨되지 않았습니다.", "알림1"}}));
    EXPECT_EQ(BattleNet().at("Server List"), Value(std::string("bnet.example")));
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(LaunchWithGatewayTest, MissingProgramValueStartsNothingSilently) {
    registry.keys["Software\\Blizzard Entertainment\\Starcraft"];
    EXPECT_EQ(Launch("bnet.example"), LaunchOutcome::kNoProgram);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(LaunchWithGatewayTest, CommandMustFitTheCommandBuffer) {
    std::string longest = "C:\\" + std::string(kMaxCommandBytes - 9, 'd') + "\\s.exe";
    ASSERT_EQ(longest.size(), 259u);
    InstallStarcraft(longest);
    Launch("x");
    EXPECT_EQ(starter.started, (std::vector<Started>{{longest, 10}}));

    InstallStarcraft("C:\\" + std::string(kMaxCommandBytes - 8, 'd') + "\\s.exe");
    EXPECT_EQ(Launch("x"), LaunchOutcome::kNoProgram);
    EXPECT_EQ(starter.started.size(), 1u) << "a 260-byte command is not started, not even cut short";
    EXPECT_TRUE(messages.shown.empty());
}

// The lobby client's way in: its own wording, and the gateway text read only
// once the key can be written.
TEST_F(LaunchWithGatewayTest, GatewaySourceIsAskedOnlyOnceTheKeyIsOpen) {
    InstallStarcraft();
    std::vector<bool> keyExistedWhenAsked;
    GatewaySource source = [&] {
        keyExistedWhenAsked.push_back(registry.keys.contains("Software\\Battle.net\\Configuration"));
        return std::string("203.0.113.5");
    };
    EXPECT_EQ(LaunchWithGateway({registry, starter, messages}, source), LaunchOutcome::kStarted);
    EXPECT_EQ(keyExistedWhenAsked, std::vector<bool>{true});
    EXPECT_EQ(BattleNet().at("Server List"), Value(std::string("203.0.113.5")));

    registry.keys.clear();
    registry.creationFails = true;
    EXPECT_EQ(LaunchWithGateway({registry, starter, messages}, source), LaunchOutcome::kKeyCreateFailed);
    EXPECT_EQ(keyExistedWhenAsked.size(), 1u) << "no key, no reading";
}

TEST_F(LaunchWithGatewayTest, CallerWordsTheFailureMessages) {
    const std::string keyFailed = "디렉토리 생성 실패\n방을 빠져 나갑니다";
    const std::string notInstalled = "스타크래프트가 인스톨되지않았읍니다.\n방을 빠져 나갑니다";
    LaunchServices services{registry, starter, messages, {keyFailed, "알림", notInstalled, "알림"}};
    EXPECT_EQ(LaunchWithGateway(services, "x"), LaunchOutcome::kNotInstalled);
    registry.keys.clear();
    registry.creationFails = true;
    EXPECT_EQ(LaunchWithGateway(services, "x"), LaunchOutcome::kKeyCreateFailed);
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{notInstalled, "알림"}, {keyFailed, "알림"}}));
}

} // namespace
} // namespace gateway
