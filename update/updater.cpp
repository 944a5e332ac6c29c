#include "update/updater.h"

#include "common/config_file.h"
#include "common/tagged_address.h"
#include "update/hand_off.h"
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

std::string StalledServerText() {
    return "업데이트 서버가 " + std::to_string(kServerSilenceLimitMs / 1000) +
           "초 동안 응답하지 않아 업데이트를 그만둡니다. 다음 접속 때 다시 받습니다.";
}

std::string ServerUpdateDirectory(std::string_view workingDirectory) {
    std::string directory(workingDirectory);
    if (directory.empty() || directory.back() != '/') directory += '/';
    return directory + std::string(kUpdateDirectory);
}

Updater::Updater(UpdateFiles files, FtpClient& ftp, UpdateView& view, ProgramLauncher& launcher,
                 SignatureVerifier& verifier)
    : files_(std::move(files)), ftp_(ftp), view_(view), launcher_(launcher), verifier_(verifier) {}

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

    if (!LoadSignedManifest()) return GiveUp(Why(std::string(kUnverifiedUpdate)));
    bool versionsMatch = VersionsMatch();
    if (session_->Stalled()) return GiveUp(StalledServerText());
    // Not even the offer's text is shown unless the service signed it.
    if (!Vouched(kVersionFileName, versionProbe_)) return GiveUp(UnverifiedFileText(kVersionFileName));
    if (versionsMatch || RefusedBefore()) return Finish(hand_off::kNothingToUpdate, NextStep::kClose);
    if (session_->Stalled()) return GiveUp(StalledServerText());

    // Without the server's version file the local text is offered as it is.
    auto offered = serverVersion_ ? serverVersion_ : config::ReadWholeFile(files_.localVersion);
    if (view_.OfferUpdate(OfferText(offered.value_or(std::string())))) return NextStep::kApplyChangeList;
    // The local version file still names the installed version, so the next
    // run offers the update again.
    return Finish(hand_off::kNothingToUpdate, NextStep::kClose);
}

bool Updater::LoadSignedManifest() {
    std::error_code error;
    if (!std::filesystem::exists(files_.updateKey, error)) return true;
    auto pem = config::ReadWholeFile(files_.updateKey);
    auto key = pem ? ParsePublicKeyPem(*pem) : std::nullopt;
    auto manifestFile = DownloadTarget(kManifestName);
    auto signatureFile = DownloadTarget(kManifestSignatureName);
    std::string directory = ServerDirectory();
    if (!key || !session_->GetFile(directory + std::string(kManifestName), manifestFile, TransferType::kBinary) ||
        !session_->GetFile(directory + std::string(kManifestSignatureName), signatureFile, TransferType::kBinary)) {
        return false;
    }
    auto manifest = config::ReadWholeFile(manifestFile);
    auto signature = config::ReadWholeFile(signatureFile);
    if (manifest && signature) manifest_ = SignedManifest::Verify(*key, *manifest, *signature, verifier_);
    return manifest_.has_value();
}

bool Updater::Vouched(std::string_view name, const std::filesystem::path& file) const {
    return !manifest_ || manifest_->Vouches(name, file, verifier_);
}

bool Updater::VersionsMatch() {
    versionProbe_ = ChooseVersionProbe();
    if (!session_->GetFile(kServerVersionFile, versionProbe_, ListTransfer())) return false;
    serverVersion_ = config::ReadWholeFile(versionProbe_);
    auto local = config::ReadWholeFile(files_.localVersion);
    return serverVersion_ && local && VersionLine(*serverVersion_) == VersionLine(*local);
}

std::filesystem::path Updater::ChooseVersionProbe() {
    if (std::ofstream(files_.versionProbe, std::ios::binary | std::ios::app)) return files_.versionProbe;
    // Today's Windows keeps the drive root read-only for users.
    return DownloadTarget(kFallbackProbeName);
}

std::filesystem::path Updater::DownloadTarget(std::string_view name) {
    std::error_code error;
    std::filesystem::create_directories(files_.download, error);
    return files_.Downloaded(name);
}

std::string Updater::ServerVersionLine() const { return serverVersion_ ? VersionLine(*serverVersion_) : std::string(); }

RefusedUpdate Updater::Refusal(const std::optional<std::string>& changeList) const {
    return {ServerVersionLine(), ChangeListFingerprint(changeList)};
}

bool Updater::RefusedBefore() {
    auto refused = ReadRefusedUpdate(files_.refused);
    // Only a refusal of this very version costs a look at the change list.
    if (!refused || refused->version != ServerVersionLine()) return false;
    return *refused == Refusal(FetchChangeList());
}

void Updater::RememberRefusal(const std::optional<std::string>& changeList) {
    WriteRefusedUpdate(files_.refused, Refusal(changeList));
}

std::string Updater::ServerDirectory() {
    return ServerUpdateDirectory(session_->CurrentDirectory().value_or(std::string()));
}

std::optional<std::string> Updater::FetchChangeList() {
    std::filesystem::path listFile = DownloadTarget(kChangeListName);
    if (!session_->GetFile(ServerDirectory() + std::string(kChangeListName), listFile, ListTransfer())) {
        return std::nullopt;
    }
    return config::ReadWholeFile(listFile);
}

NextStep Updater::PollReceive() {
    if (!TakeRestartGrant(files_.receive)) return NextStep::kWaitForGrant;
    if (!held_.empty()) return ReplaceHeldFiles();
    return StartConnector({});
}

NextStep Updater::ReplaceHeldFiles() {
    RetryHeld();
    if (!held_.empty() && ++heldTries_ < kHeldFileTries) return NextStep::kReplaceHeldFiles;
    std::string problem = Conclude();
    std::error_code error;
    std::filesystem::remove_all(files_.download, error);
    return StartConnector(problem);
}

NextStep Updater::StartConnector(std::string_view problem) {
    if (!launcher_.Start(files_.connector)) view_.ShowMessage(kConnectorNotStarted);
    if (!problem.empty()) view_.ShowMessage(problem);
    return NextStep::kClose;
}

std::string Updater::Why(std::string reason) const {
    return session_ && session_->Stalled() ? StalledServerText() : reason;
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
    if (held_.empty()) std::filesystem::remove_all(files_.download, error);
    if (!WriteEndTransfer(files_.endTransfer, word)) view_.ShowMessage(kHandOffUnwritable);
    return next;
}

} // namespace update
