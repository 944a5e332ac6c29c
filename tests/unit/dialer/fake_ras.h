// In-memory stand-ins for the phonebook, the system and the window, and a
// connector over them in a scratch program directory.
#pragma once

#include "dialer/connector.h"
#include "dialer/connector_view.h"
#include "dialer/ras_service.h"
#include "dialer/system_setup.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace dialer::testing {

class FakeRas : public RasService {
public:
    bool bindable = true;
    std::map<std::string, PhonebookEntry> entries;
    std::vector<RasDevice> devices{{"modem", "Test Modem"}};
    std::uint32_t devicesResult = kRasSuccess;
    std::uint32_t entriesResult = kRasSuccess;
    std::uint32_t connectionsResult = kRasSuccess;
    int failingSets = 0;  // this many next SetEntry calls fail
    std::set<std::string> unreadable;  // entries whose read fails after the probe
    std::vector<ConnectionHandle> connections;
    std::vector<ConnectionHandle> hungUp;
    std::vector<std::string> calls;
    std::uint32_t dialResult = kRasSuccess;
    ConnectionHandle nextConnection = 42;
    std::vector<std::string> dialed;

    bool BindPhonebookApi() override { return bindable; }
    EntryLookup GetEntry(std::string_view name) override {
        auto found = entries.find(std::string(name));
        if (found == entries.end()) return {EntryRead::kProbeRefused, {}};
        if (unreadable.count(std::string(name))) return {EntryRead::kReadFailed, {}};
        return {EntryRead::kRead, found->second};
    }
    std::uint32_t SetEntry(std::string_view name, const PhonebookEntry& entry) override {
        calls.push_back("set " + std::string(name));
        if (failingSets > 0) {
            --failingSets;
            return 87;
        }
        entries[std::string(name)] = entry;
        return kRasSuccess;
    }
    std::uint32_t DeleteEntry(std::string_view name) override {
        calls.push_back("delete " + std::string(name));
        return entries.erase(std::string(name)) ? kRasSuccess : 623;
    }
    DeviceList EnumDevices() override { return {devicesResult, devices}; }
    EntryNameList EnumEntries() override {
        EntryNameList list{entriesResult, {}};
        for (const auto& entry : entries) list.names.push_back(entry.first);
        return list;
    }
    ConnectionList EnumConnections() override { return {connectionsResult, connections}; }
    std::uint32_t HangUp(ConnectionHandle connection) override {
        hungUp.push_back(connection);
        return kRasSuccess;
    }
    DialStart Dial(std::string_view entry) override {
        dialed.emplace_back(entry);
        if (dialResult != kRasSuccess) return {dialResult, 0};
        return {kRasSuccess, nextConnection};
    }
    std::optional<std::string> ErrorText(std::uint32_t code) override {
        if (code == 0 || code >= 10000) return std::nullopt;
        return "error " + std::to_string(code);
    }
};

class FakeSystem : public SystemSetup {
public:
    bool windows9x = false;
    std::map<std::string, std::map<std::string, std::string>> machine;  // key -> value name -> text
    std::map<std::string, std::map<std::string, RegistryValue>> user;
    std::set<std::string> files;

    // A Windows 98 with TCP/IP and the dial-up adapter under key 0042.
    void InstallNetworking() {
        windows9x = true;
        machine["Enum\\Network\\MSTCP"];
        machine["Enum\\Root\\Net\\0042"]["Driver"] = "Net\\0003";
        machine["System\\CurrentControlSet\\Services\\Class\\Net\\0003"]["AdapterName"] = "MS$PPP";
        files.insert("C:\\WINDOWS\\system\\smmscrpt.dll");
    }

    bool IsWindows9x() override { return windows9x; }
    bool MachineKeyExists(std::string_view path) override { return machine.count(std::string(path)) > 0; }
    std::optional<std::string> MachineString(std::string_view path, std::string_view name) override {
        return Lookup(machine, path, name);
    }
    std::map<std::string, std::string> classes;  // default values under HKEY_CLASSES_ROOT
    std::optional<std::string> ClassesString(std::string_view path, std::string_view name) override {
        auto found = classes.find(std::string(path));
        if (!name.empty() || found == classes.end()) return std::nullopt;
        return found->second;
    }
    bool UserKeyExists(std::string_view path) override { return user.count(std::string(path)) > 0; }
    std::optional<RegistryValue> UserValue(std::string_view path, std::string_view name) override {
        return Lookup(user, path, name);
    }
    bool SetUserValue(std::string_view path, std::string_view name, const RegistryValue& value) override {
        user[std::string(path)][std::string(name)] = value;
        return true;
    }
    std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
    bool FileExists(std::string_view path) override { return files.count(std::string(path)) > 0; }

private:
    template <typename Value>
    static std::optional<Value> Lookup(const std::map<std::string, std::map<std::string, Value>>& keys,
                                       std::string_view path, std::string_view name) {
        auto key = keys.find(std::string(path));
        if (key == keys.end()) return std::nullopt;
        auto value = key->second.find(std::string(name));
        if (value == key->second.end()) return std::nullopt;
        return value->second;
    }
};

class RecordingView : public ConnectorView {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    std::vector<Shown> messages;
    std::vector<std::string> help;
    std::vector<std::string> commands;
    std::vector<SkinLayout> skins;
    int prepared = 0;
    bool confirms = true;
    bool choosesProgram = true;
    std::vector<std::string> questions;  // "item: question"
    std::vector<std::string> programChoices;
    std::set<int> lamps;  // lit now
    std::vector<int> lampOrder;
    std::vector<int> progress;
    int updatersStarted = 0;
    std::set<std::string> startable;  // command lines that start
    std::vector<std::string> started;  // "command|directory", tried ones too
    std::vector<std::string> opened;
    int minimized = 0;

    bool Message(std::string_view text, std::string_view caption, MessageIcon icon, bool) override {
        messages.push_back({std::string(text), std::string(caption), icon});
        return true;
    }
    void OpenHelp(std::string_view keyword) override { help.emplace_back(keyword); }
    void StartCommand(std::string_view command) override { commands.emplace_back(command); }
    void ApplySkin(const SkinLayout& layout) override { skins.push_back(layout); }
    void PrepareWindow() override { ++prepared; }
    bool ConfirmConnect(std::string_view item, std::string_view question) override {
        questions.push_back(std::string(item) + ": " + std::string(question));
        return confirms;
    }
    std::optional<std::string> ChooseClientProgram(std::string_view item) override {
        programChoices.emplace_back(item);
        if (!choosesProgram) return std::nullopt;
        return "C:\\Files\\" + std::string(item) + ".exe";
    }
    void ShowLamp(int lamp) override {
        lamps.insert(lamp);
        lampOrder.push_back(lamp);
    }
    void HideLamps() override { lamps.clear(); }
    void ShowProgress(int textId) override { progress.push_back(textId); }
    void StartUpdater() override { ++updatersStarted; }
    bool StartProgram(std::string_view command, ProgramWindow, std::string_view directory) override {
        started.push_back(std::string(command) + "|" + std::string(directory));
        return startable.count(std::string(command)) > 0;
    }
    bool OpenAddress(std::string_view address) override {
        opened.emplace_back(address);
        return false;
    }
    void Minimize() override { ++minimized; }
};

class ConnectorFixture : public ::testing::Test {
protected:
    ConnectorFixture() { std::filesystem::create_directories(dir / "config"); }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / "config" / name, std::ios::binary) << bytes;
    }

    test_support::ScratchDirectory dir;
    FakeRas ras;
    FakeSystem system;
    RecordingView view;
    Connector connector{ConnectorFiles(dir.Path(), "C:\\Lumanet"), ras, system, view};
};

} // namespace dialer::testing
