#include "update/update_files.h"

#include <utility>

namespace update {

UpdateFiles::UpdateFiles(const std::filesystem::path& programDirectory, std::filesystem::path versionProbeFile,
                         TextToPath textToPath)
    : program(programDirectory),
      config(programDirectory / "config"),
      position(config / "position.ini"),
      localVersion(config / "version.ini"),
      versionProbe(std::move(versionProbeFile)),
      download(programDirectory / "temp"),
      endTransfer(config / "EndTransfer.ini"),
      receive(config / "Receive.ini"),
      connector(programDirectory / "Pondial.exe"),
      fromText(std::move(textToPath)) {}

std::filesystem::path UpdateFiles::Installed(const ChangeEntry& entry) const {
    return program / SectionDirectory(entry.section) / fromText(entry.name);
}

} // namespace update
