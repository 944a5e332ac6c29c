// The update procedure: compare the server's version file with the local
// one, offer the update, fetch and install the files of the change list, and
// tell the connector how it ended. The window calls one step at a time and
// does what the returned NextStep says.
#pragma once

#include "common/hand_off_contract.h"
#include "update/change_list.h"
#include "update/ftp_session.h"
#include "update/program_launcher.h"
#include "update/refused_update.h"
#include "update/signature_verifier.h"
#include "update/signed_manifest.h"
#include "update/update_files.h"
#include "update/update_view.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace update {

inline constexpr std::string_view kFtpAddressTag = "[FTPADDR]";
inline constexpr std::string_view kAnonymousUser = "anonymous";
// Anonymous servers ask for an e-mail-style password.
inline constexpr std::string_view kAnonymousPassword = "updater@vorlo";
static_assert(kAnonymousPassword.size() == 13);

inline constexpr std::string_view kServerVersionFile = "/vorlo/version.ini";
// Its name in a signed update's manifest.
inline constexpr std::string_view kVersionFileName = "version.ini";
// Relative to the server's working directory after login.
inline constexpr std::string_view kUpdateDirectory = "vorlo/";
inline constexpr std::string_view kChangeListName = "change.ini";
// Where the version probe goes when "c:\ver" cannot be written.
inline constexpr std::string_view kFallbackProbeName = "ver";

inline constexpr std::string_view kCopyingSuffix = "를 복사합니다";
inline constexpr std::string_view kChangeListUnreadable = "update list file이 존재하지 않습니다\n처음상태로 시작합니다";
inline constexpr std::string_view kConnectorNotStarted = "NO EXECUTE!!!!!!!!";
inline constexpr std::string_view kNoServerAddress = "position.ini에 업데이트 서버 주소([FTPADDR])가 없습니다.";
inline constexpr std::string_view kHandOffUnwritable = "EndTransfer.ini 파일에 쓸 수 없습니다.";

enum class NextStep {
    kClose,             // the program ends
    kApplyChangeList,   // the user agreed: ApplyChangeList 300 ms later
    kWaitForGrant,      // PollReceive every hand_off::kReceivePollMs
    kReplaceHeldFiles,  // the connector is ending: ReplaceHeldFiles every kHeldFileRetryMs
};

// After the connector's grant, files it held are tried this often until
// hand_off::kConnectorLetGoMs have passed.
inline constexpr int kHeldFileRetryMs = 500;
inline constexpr int kHeldFileTries = hand_off::kConnectorLetGoMs / kHeldFileRetryMs;

// One line each: why an agreed update was not installed, or not wholly.
std::string RefusedEntryText(const ChangeEntry& entry);
std::string DownloadFailedText(const ChangeEntry& entry);
std::string HeldFilesText(const std::vector<std::string>& places);

// The line shown when the FTP server cannot be reached or refuses the login.
std::string LoginFailureText(std::string_view address, LoginFailure failure);

// The line shown when the server stopped answering.
std::string StalledServerText();

// The server directory of the change list and the update files.
std::string ServerUpdateDirectory(std::string_view workingDirectory);

class Updater {
public:
    Updater(UpdateFiles files, FtpClient& ftp, UpdateView& view, ProgramLauncher& launcher,
            SignatureVerifier& verifier);

    // Runs before the window is shown; the window appears only for an offer.
    NextStep CheckForUpdate();
    NextStep ApplyChangeList();
    NextStep PollReceive();
    // Once the connector has granted its restart: puts in place the files
    // that were in use, then starts the connector again.
    NextStep ReplaceHeldFiles();

private:
    // The change list, downloaded whole, or why it cannot be installed.
    struct Download {
        ChangeList list;
        std::string problem;
    };

    // With the service's key in place, loads the signed manifest; false when
    // there is none to trust. Without the key nothing is signed: true.
    bool LoadSignedManifest();
    // In signed mode, true only when the manifest vouches for name's download.
    bool Vouched(std::string_view name, const std::filesystem::path& file) const;
    // Text transfers may change line ends, which a signature would not forgive.
    TransferType ListTransfer() const { return manifest_ ? TransferType::kBinary : TransferType::kText; }
    // True only when the server's version file arrived and names the local
    // version; keeps the server's version file for the end of the install.
    bool VersionsMatch();
    std::filesystem::path ChooseVersionProbe();
    // Where name is downloaded to, its directory made first.
    std::filesystem::path DownloadTarget(std::string_view name);
    // The same server version with the same change list was refused before.
    bool RefusedBefore();
    void RememberRefusal(const std::optional<std::string>& changeList);
    // The server version file's version line; empty when it did not arrive.
    std::string ServerVersionLine() const;
    RefusedUpdate Refusal(const std::optional<std::string>& changeList) const;
    std::string ServerDirectory();
    // nullopt when the list is missing or cannot be read.
    std::optional<std::string> FetchChangeList();
    Download DownloadChanges();
    const ChangeEntry* DownloadAll(const ChangeList& list, std::string_view serverDirectory);
    // Files that cannot be replaced now stay in held_, their downloads kept.
    void InstallAll(const ChangeList& list);
    void RetryHeld();
    // The last step of an install: when every file is in place, the local
    // version file takes the server's; files still held are given up. Returns
    // what to tell the user, if anything.
    std::string Conclude();
    // Closes the connection, removes the download directory (unless files
    // wait there for their holder) and writes the word.
    NextStep Finish(std::string_view word, NextStep next);
    // reason, unless the server stalled, which is the reason then.
    std::string Why(std::string reason) const;
    // Finish with "UPDATE", then tell the user why in one line.
    NextStep GiveUp(std::string_view reason);
    NextStep StartConnector(std::string_view problem);

    UpdateFiles files_;
    FtpClient& ftp_;
    UpdateView& view_;
    ProgramLauncher& launcher_;
    SignatureVerifier& verifier_;
    std::unique_ptr<FtpSession> session_;
    std::optional<SignedManifest> manifest_;
    std::filesystem::path versionProbe_;
    std::optional<std::string> serverVersion_;
    std::vector<ChangeEntry> held_;
    int heldTries_ = 0;
};

} // namespace update
