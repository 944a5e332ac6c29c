// The update procedure: compare the server's version file with the local
// one, offer the update, fetch and install the files of the change list, and
// tell the connector how it ended. The window calls one step at a time and
// does what the returned NextStep says.
#pragma once

#include "update/change_list.h"
#include "update/ftp_session.h"
#include "update/program_launcher.h"
#include "update/update_files.h"
#include "update/update_view.h"

#include <memory>
#include <string>
#include <string_view>

namespace update {

inline constexpr std::string_view kFtpAddressTag = "[FTPADDR]";
inline constexpr std::string_view kAnonymousUser = "anonymous";
// Anonymous servers ask for an e-mail-style password.
inline constexpr std::string_view kAnonymousPassword = "updater@vorlo";
static_assert(kAnonymousPassword.size() == 13);

inline constexpr std::string_view kServerVersionFile = "/vorlo/version.ini";
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
    kClose,            // the program ends
    kApplyChangeList,  // the user agreed: ApplyChangeList 300 ms later
    kWaitForGrant,     // PollReceive every 3 s
};

// The line shown when the FTP server cannot be reached or refuses the login.
std::string LoginFailureText(std::string_view address, LoginFailure failure);

// The server directory of the change list and the update files.
std::string ServerUpdateDirectory(std::string_view workingDirectory);

class Updater {
public:
    Updater(UpdateFiles files, FtpClient& ftp, UpdateView& view, ProgramLauncher& launcher);

    // Runs before the window is shown; the window appears only for an offer.
    NextStep CheckForUpdate();
    NextStep ApplyChangeList();
    NextStep PollReceive();

private:
    struct Outcome {
        bool intact = false;     // every download arrived with its listed size
        bool installed = false;  // and every file was copied into place
        bool restart = false;
        std::string_view problem;  // shown once the connector has its word
    };

    // True only when the server's version file arrived and names the local
    // version. Otherwise the local file holds the server's, when it could be had.
    bool VersionsMatch();
    std::filesystem::path ChooseVersionProbe();
    bool FetchServerVersionInto(const std::filesystem::path& local);
    Outcome DownloadAndInstall();
    bool DownloadAll(const ChangeList& list, std::string_view serverDirectory);
    bool InstallAll(const ChangeList& list);
    // Closes the connection, removes the download directory and writes the word.
    NextStep Finish(std::string_view word, NextStep next);
    // Finish with "UPDATE", then tell the user why in one line.
    NextStep GiveUp(std::string_view reason);

    UpdateFiles files_;
    FtpClient& ftp_;
    UpdateView& view_;
    ProgramLauncher& launcher_;
    std::unique_ptr<FtpSession> session_;
};

} // namespace update
