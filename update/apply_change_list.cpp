#include "update/updater.h"

#include "common/config_file.h"
#include "update/hand_off.h"
#include "common/replace_file.h"
#include "update/verified_fetch.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace update {

NextStep Updater::ApplyChangeList() {
    view_.StartClip();
    Outcome outcome = DownloadAndInstall();
    // The local version file already names the new version; without it the
    // next run offers the update again instead of taking it as done.
    std::error_code error;
    if (!outcome.installed) std::filesystem::remove(files_.localVersion, error);
    NextStep next = outcome.intact && outcome.restart ? Finish(hand_off::kRestartWanted, NextStep::kWaitForGrant)
                                                      : Finish(hand_off::kUpdated, NextStep::kClose);
    view_.StopClip();
    if (!outcome.problem.empty()) view_.ShowMessage(outcome.problem);
    return next;
}

Updater::Outcome Updater::DownloadAndInstall() {
    std::string serverDirectory = ServerUpdateDirectory(session_->CurrentDirectory().value_or(std::string()));
    std::error_code error;
    std::filesystem::create_directories(files_.download, error);
    std::filesystem::path listFile = files_.Downloaded(kChangeListName);
    if (!session_->GetFile(serverDirectory + std::string(kChangeListName), listFile, TransferType::kText)) return {};
    auto content = config::ReadWholeFile(listFile);
    if (!content) return {.problem = kChangeListUnreadable};

    ChangeList list = ParseChangeList(*content);
    view_.SetProgressRange(0, list.fileCount.value_or(kDefaultFileCount));
    Outcome outcome;
    outcome.restart = list.restart;
    // A refused name fails the whole update before anything is fetched.
    outcome.intact = std::all_of(list.entries.begin(), list.entries.end(), IsInstallable) &&
                     DownloadAll(list, serverDirectory);
    outcome.installed = outcome.intact && InstallAll(list);
    return outcome;
}

bool Updater::DownloadAll(const ChangeList& list, std::string_view serverDirectory) {
    // The server keeps one file per name, so a name listed in two sections is fetched once.
    std::set<std::string> fetched;
    for (const ChangeEntry& entry : list.entries) {
        view_.SetFileText(entry.name + std::string(kCopyingSuffix));
        if (fetched.insert(entry.name).second &&
            !FetchVerified(*session_, std::string(serverDirectory) + entry.name, files_.Downloaded(entry.name))) {
            return false;
        }
        view_.StepProgress();
    }
    return true;
}

bool Updater::InstallAll(const ChangeList& list) {
    // Every file arrived whole before the first one is replaced.
    bool all = true;
    for (auto entry = list.entries.begin(); entry != list.entries.end(); ++entry) {
        std::filesystem::path target = files_.Installed(*entry);
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        std::filesystem::path download = files_.Downloaded(entry->name);
        // The last use of a download takes the file itself instead of a copy.
        bool usedAgain = std::any_of(entry + 1, list.entries.end(),
                                     [&entry](const ChangeEntry& later) { return later.name == entry->name; });
        all = (usedAgain ? files::CopyOver(download, target) : files::MoveOver(download, target)) && all;
    }
    return all;
}

} // namespace update
