// The files of the program directory that the connector uses.
#pragma once

#include "common/hand_off_contract.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace dialer {

class ConnectorFiles {
public:
    // directoryText is the same directory as CP949 text, as Windows spells it.
    ConnectorFiles(std::filesystem::path directory, std::string directoryText)
        : directory_(std::move(directory)), directoryText_(std::move(directoryText)) {}

    std::filesystem::path Config(std::string_view name) const { return directory_ / "config" / name; }
    std::filesystem::path Position() const { return Config("position.ini"); }
    std::filesystem::path ItemList() const { return Config("filelist.ini"); }
    std::filesystem::path Setup() const { return Config("setup.ini"); }
    std::filesystem::path Messages() const { return Config("message.ini"); }
    std::filesystem::path HomePage() const { return Config("url.ini"); }
    std::filesystem::path ClientPrograms() const { return Config("connect.ini"); }
    std::filesystem::path EndTransfer() const { return Config(hand_off::kEndTransferFile); }
    std::filesystem::path Receive() const { return Config(hand_off::kReceiveFile); }

    // The updater's download folder.
    std::filesystem::path Temp() const { return directory_ / "temp"; }

    // A file of the program directory as Windows spells its path.
    std::string ProgramFileText(std::string_view name) const { return directoryText_ + "\\" + std::string(name); }

    // The item's dial script as the phonebook stores it.
    std::string ScriptPath(std::string_view item) const {
        return directoryText_ + "\\script\\" + std::string(item) + ".scp";
    }

private:
    std::filesystem::path directory_;
    std::string directoryText_;
};

} // namespace dialer
