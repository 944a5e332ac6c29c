#include "update/updater.h"

#include "common/config_file.h"
#include "update/hand_off.h"
#include "common/replace_file.h"
#include "common/tagged_address.h"
#include "update/version_file.h"

#include <fstream>
#include <system_error>
#include <utility>

namespace update {

std::string LoginFailureText(std::string_view address, LoginFailure failure) {
    std::string server = "업데이트 서버(" + std::string(address) + ")";
    if (failure == LoginFailure::kRefused) return server + "가 로그인을 거부했습니다.";
    return server + "에 접속할 수 없습니다.";
}

std::string ServerUpdateDirectory(std::string_view workingDirectory) {
    std::string directory(workingDirectory);
    if (directory.empty() || directory.back() != '/') directory += '/';
    return directory + std::string(kUpdateDirectory);
}

Updater::Updater(UpdateFiles files, FtpClient& ftp, UpdateView& view, ProgramLauncher& launcher)
    : files_(std::move(files)), ftp_(ftp), view_(view), launcher_(launcher) {}

NextStep Updater::CheckForUpdate() {
    std::error_code error;
    // The hand-off word needs the directory even when the update goes no further.
    std::filesystem::create_directories(files_.config, error);

    auto lines = config::ReadLinePieces(files_.position);
    auto address = lines ? config::LastTaggedAddress(*lines, kFtpAddressTag) : std::nullopt;
    if (!address) return GiveUp(kNoServerAddress);
    std::string dotted = net::ToDotted(*address);
    FtpOpenResult opened = ftp_.Open({dotted, std::string(kAnonymousUser), std::string(kAnonymousPassword)});
    if (!opened.session) return GiveUp(LoginFailureText(dotted, opened.failure));
    session_ = std::move(opened.session);

    if (VersionsMatch()) return Finish(hand_off::kNothingToUpdate, NextStep::kClose);

    auto local = config::ReadWholeFile(files_.localVersion);
    if (view_.OfferUpdate(OfferText(local.value_or(std::string())))) return NextStep::kApplyChangeList;
    // Without a local version file the next run offers the update again.
    std::filesystem::remove(files_.localVersion, error);
    return Finish(hand_off::kNothingToUpdate, NextStep::kClose);
}

bool Updater::VersionsMatch() {
    std::filesystem::path probe = ChooseVersionProbe();
    // Without the server's version the local text is offered as it is.
    if (!session_->GetFile(kServerVersionFile, probe, TransferType::kText)) return false;
    auto server = config::ReadWholeFile(probe);
    auto local = config::ReadWholeFile(files_.localVersion);
    if (server && local && VersionLine(*server) == VersionLine(*local)) return true;
    // The local version file takes the server's before the user is asked.
    FetchServerVersionInto(files_.localVersion);
    return false;
}

std::filesystem::path Updater::ChooseVersionProbe() {
    if (std::ofstream(files_.versionProbe, std::ios::binary | std::ios::app)) return files_.versionProbe;
    // Today's Windows keeps the drive root read-only for users.
    std::error_code error;
    std::filesystem::create_directories(files_.download, error);
    return files_.Downloaded(kFallbackProbeName);
}

bool Updater::FetchServerVersionInto(const std::filesystem::path& local) {
    return files::ReplaceFile(local, [this](const std::filesystem::path& beside) {
        return session_->GetFile(kServerVersionFile, beside, TransferType::kText);
    });
}

NextStep Updater::PollReceive() {
    if (!TakeRestartGrant(files_.receive)) return NextStep::kWaitForGrant;
    if (!launcher_.Start(files_.connector)) view_.ShowMessage(kConnectorNotStarted);
    return NextStep::kClose;
}

NextStep Updater::GiveUp(std::string_view reason) {
    // The word first: the connector goes on while the user reads the line.
    Finish(hand_off::kUpdated, NextStep::kClose);
    view_.ShowMessage(reason);
    return NextStep::kClose;
}

NextStep Updater::Finish(std::string_view word, NextStep next) {
    session_.reset();
    std::error_code error;
    std::filesystem::remove_all(files_.download, error);
    if (!WriteEndTransfer(files_.endTransfer, word)) view_.ShowMessage(kHandOffUnwritable);
    return next;
}

} // namespace update
