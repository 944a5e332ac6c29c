#include "update/updater.h"

#include "common/replace_file.h"
#include "update/verified_fetch.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace update {

std::string RefusedEntryText(const ChangeEntry& entry) {
    return "업데이트 목록의 \"" + entry.name + "\" 항목은 설치할 수 없는 이름이어서 업데이트하지 않았습니다.";
}

std::string DownloadFailedText(const ChangeEntry& entry) {
    return entry.name + " 파일을 제대로 받지 못해 업데이트하지 않았습니다. 다음 접속 때 다시 받습니다.";
}

std::string HeldFilesText(const std::vector<std::string>& places) {
    std::string list;
    for (const std::string& place : places) list += (list.empty() ? "" : ", ") + place;
    return "다른 프로그램이 쓰고 있어 바꾸지 못한 파일이 있습니다(" + list +
           "). 그 프로그램을 닫으면 다음 접속 때 업데이트를 마칩니다.";
}

NextStep Updater::ApplyChangeList() {
    view_.StartClip();
    Download download = DownloadChanges();
    // The clip is a file of the updater's own, and may be one of those to replace.
    view_.StopClip();
    if (!download.problem.empty()) return GiveUp(download.problem);

    InstallAll(download.list);
    // Files in use wait for the connector to let go where it will, after its grant.
    std::string problem = download.list.restart && !held_.empty() ? std::string() : Conclude();
    NextStep next = download.list.restart ? Finish(hand_off::kRestartWanted, NextStep::kWaitForGrant)
                                          : Finish(hand_off::kUpdated, NextStep::kClose);
    if (!problem.empty()) view_.ShowMessage(problem);
    return next;
}

Updater::Download Updater::DownloadChanges() {
    std::optional<std::string> content = FetchChangeList();
    if (!content) {
        RememberRefusal(content);
        return {{}, Why(std::string(kChangeListUnreadable))};
    }
    if (!Vouched(kChangeListName, files_.Downloaded(kChangeListName))) {
        return {{}, UnverifiedFileText(kChangeListName)};
    }
    Download download{ParseChangeList(*content), {}};
    const ChangeList& list = download.list;
    view_.SetProgressRange(0, list.fileCount.value_or(kDefaultFileCount));
    // A refused name fails the whole update before anything is fetched.
    if (auto refused = std::find_if_not(list.entries.begin(), list.entries.end(), IsInstallable);
        refused != list.entries.end()) {
        RememberRefusal(content);
        download.problem = RefusedEntryText(*refused);
    } else if (const ChangeEntry* failed = DownloadAll(list, ServerDirectory())) {
        download.problem = Why(DownloadFailedText(*failed));
    } else if (auto forged = std::find_if_not(list.entries.begin(), list.entries.end(),
                                              [this](const ChangeEntry& entry) {
                                                  return Vouched(entry.name, files_.Downloaded(entry.name));
                                              });
               forged != list.entries.end()) {
        // Checked on the downloads, before anything is replaced.
        download.problem = UnverifiedFileText(forged->name);
    }
    return download;
}

const ChangeEntry* Updater::DownloadAll(const ChangeList& list, std::string_view serverDirectory) {
    // The server keeps one file per name, so a name listed in two sections is fetched once.
    std::set<std::string> fetched;
    for (const ChangeEntry& entry : list.entries) {
        view_.SetFileText(entry.name + std::string(kCopyingSuffix));
        if (fetched.insert(entry.name).second &&
            !FetchVerified(*session_, std::string(serverDirectory) + entry.name, files_.Downloaded(entry.name))) {
            return &entry;
        }
        view_.StepProgress();
    }
    return nullptr;
}

void Updater::InstallAll(const ChangeList& list) {
    // Every file arrived whole before the first one is replaced.
    for (const ChangeEntry& entry : list.entries) {
        std::filesystem::path target = files_.Installed(entry);
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        std::filesystem::path download = files_.Downloaded(entry.name);
        // A name listed once gives its download away instead of a copy; one
        // that failed stays for the next try.
        bool listedOnce = std::count_if(list.entries.begin(), list.entries.end(), [&entry](const ChangeEntry& other) {
                              return other.name == entry.name;
                          }) == 1;
        if (!(listedOnce ? files::MoveOver(download, target) : files::CopyOver(download, target))) {
            held_.push_back(entry);
        }
    }
}

void Updater::RetryHeld() {
    std::erase_if(held_, [this](const ChangeEntry& entry) {
        return files::CopyOver(files_.Downloaded(entry.name), files_.Installed(entry));
    });
}

std::string Updater::Conclude() {
    std::vector<std::string> places;
    for (const ChangeEntry& entry : held_) places.push_back(ShownPlace(entry));
    held_.clear();
    if (places.empty() && serverVersion_) {
        if (!files::ReplaceWithBytes(files_.localVersion, *serverVersion_)) places.push_back("config\\version.ini");
    }
    if (!places.empty()) return HeldFilesText(places);
    std::error_code error;
    std::filesystem::remove(files_.refused, error);
    return {};
}

} // namespace update
