// The local files of an update, all under the program directory except the
// fixed version probe "c:\ver".
#pragma once

#include "update/change_list.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace update {

// Names from the server are CP949 text; how such text becomes a local path
// depends on the platform.
using TextToPath = std::function<std::filesystem::path(std::string_view cp949)>;

struct UpdateFiles {
    UpdateFiles(const std::filesystem::path& programDirectory, std::filesystem::path versionProbeFile,
                TextToPath textToPath);

    // A file of the download directory.
    std::filesystem::path Downloaded(std::string_view name) const { return download / fromText(name); }
    // Where an entry of the change list is installed.
    std::filesystem::path Installed(const ChangeEntry& entry) const;

    std::filesystem::path program;
    std::filesystem::path config;
    std::filesystem::path position;
    std::filesystem::path localVersion;
    // Receives the server's version file for the comparison; kept afterwards.
    std::filesystem::path versionProbe;
    std::filesystem::path download;
    // The server version and change list last refused (RefusedUpdate).
    std::filesystem::path refused;
    // The service's public key; while it is there, updates must be signed.
    std::filesystem::path updateKey;
    std::filesystem::path endTransfer;
    std::filesystem::path receive;
    std::filesystem::path connector;
    TextToPath fromText;
};

} // namespace update
