#include "update/update_files.h"

#include "common/hand_off_contract.h"
#include "update/update_signature.h"

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
      refused(config / "update_refused.ini"),
      updateKey(config / kUpdateKeyName),
      endTransfer(config / hand_off::kEndTransferFile),
      receive(config / hand_off::kReceiveFile),
      connector(programDirectory / "Pondial.exe"),
      fromText(std::move(textToPath)) {}

std::filesystem::path UpdateFiles::Installed(const ChangeEntry& entry) const {
    return program / SectionDirectory(entry.section) / fromText(entry.name);
}

} // namespace update
