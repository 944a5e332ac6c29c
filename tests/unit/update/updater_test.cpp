#include "update/updater.h"

#include "tests/unit/update/fake_ftp.h"
#include "tests/unit/update/fake_verifier.h"
#include "update/hand_off.h"
#include "tests/unit/support/scratch_directory.h"
#include "update/verified_fetch.h"
#include "update/version_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace update {
namespace {

using testing::FakeFtpClient;
using testing::FakeFtpServer;
using test_support::FileBytes;
using test_support::ScratchDirectory;
using test_support::WriteBytes;

class RecordingView : public UpdateView {
public:
    bool OfferUpdate(std::string_view text) override {
        offers.emplace_back(text);
        if (onOffer) onOffer();
        return agree;
    }
    void ShowMessage(std::string_view text) override {
        messages.emplace_back(text);
        if (onMessage) onMessage();
    }
    void SetProgressRange(int lower, int upper) override { ranges.emplace_back(lower, upper); }
    void StepProgress() override {
        ++steps;
        if (onStep) onStep();
    }
    void SetFileText(std::string_view text) override { fileTexts.emplace_back(text); }
    void StartClip() override { ++clipStarts; }
    void StopClip() override {
        ++clipStops;
        if (onStopClip) onStopClip();
    }

    bool agree = true;
    std::function<void()> onOffer, onMessage, onStep, onStopClip;
    std::vector<std::string> offers, messages, fileTexts;
    std::vector<std::pair<int, int>> ranges;
    int steps = 0, clipStarts = 0, clipStops = 0;
};

class RecordingLauncher : public ProgramLauncher {
public:
    bool Start(const std::filesystem::path& program) override {
        started.push_back(program);
        return starts;
    }
    bool starts = true;
    std::vector<std::filesystem::path> started;
};

const std::string kServerVersion = "1999.12.02\n[CONTENT]\n새 판이 나왔습니다\n받으시겠습니까?\n";
const std::string kLocalVersion = "1999.12.01\n[CONTENT]\n지난 판\n";
const std::string kNoWord(hand_off::kFlagSize, '\0');
const std::string kGrant = std::string("YES") + std::string(7, '\0');
// The server's version file as a text transfer brings it.
const std::string kServerVersionArrived = "1999.12.02\r\n[CONTENT]\r\n새 판이 나왔습니다\r\n받으시겠습니까?\r\n";

// What the process ending halfway looks like to the procedure.
struct Killed {};
// Binary content with line feeds: a text transfer would change it.
const std::string kDll = std::string("MZ\n\0\r\nDLL", 9) + std::string(300, '\x90');

class UpdaterTest : public ::testing::Test {
protected:
    UpdaterTest() {
        std::filesystem::create_directories(probe.parent_path());
        Put("config/position.ini", "[FTPADDR] 10 0 0 1\n[FTPADDR] 127 0 0 1\n");
        Put("config/version.ini", kLocalVersion);
        Put("config/EndTransfer.ini", kNoWord);
        server.files["/vorlo/version.ini"] = kServerVersion;
    }

    Updater Make() {
        UpdateFiles files(program, probe, [](std::string_view text) { return std::filesystem::path(std::string(text)); });
        return Updater(std::move(files), client, view, launcher, verifier);
    }

    void Put(const std::string& relative, const std::string& bytes) { WriteBytes(program / relative, bytes); }
    std::string Read(const std::string& relative) const { return FileBytes(program / relative); }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(program / relative); }

    // Serves a change list and the named update files.
    void Serve(const std::string& changeList, const std::vector<std::pair<std::string, std::string>>& updates = {}) {
        server.files["/vorlo/change.ini"] = changeList;
        for (const auto& [name, content] : updates) server.files["/vorlo/" + name] = content;
    }

    // Runs the check up to the user's OK.
    Updater Agreed() {
        Updater updater = Make();
        EXPECT_EQ(updater.CheckForUpdate(), NextStep::kApplyChangeList);
        return updater;
    }

    bool Fetched(const std::string& remote) const {
        return std::find(server.fetches.begin(), server.fetches.end(), remote) != server.fetches.end();
    }

    // Another program holds the file, so it cannot be replaced (a directory
    // in its place refuses a rename as an open file does on Windows).
    void Hold(const std::string& relative) { std::filesystem::create_directories(program / relative / "open"); }
    void LetGo(const std::string& relative) {
        std::filesystem::remove_all(program / relative);
        Put(relative, "old");
    }

    ScratchDirectory dir;
    std::filesystem::path program = dir.Path() / "program";
    std::filesystem::path probe = dir.Path() / "c" / "ver";
    FakeFtpServer server;
    FakeFtpClient client{server};
    RecordingView view;
    RecordingLauncher launcher;
    FakeVerifier verifier;
};

// Checking the versions.

TEST_F(UpdaterTest, EqualVersionsEndWithNoAndShowNothing) {
    Put("config/version.ini", "1999.12.02\r\nlocal notes\n");
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_TRUE(view.offers.empty());
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(Read("config/EndTransfer.ini"), "NO");
    EXPECT_EQ(VersionLine(FileBytes(probe)), "1999.12.02") << "the probe stays behind";
    EXPECT_EQ(Read("config/version.ini"), "1999.12.02\r\nlocal notes\n");
    EXPECT_EQ(server.openSessions, 0);
    ASSERT_EQ(server.logins.size(), 1u);
    EXPECT_EQ(server.logins[0].address, "127.0.0.1");
    EXPECT_EQ(server.logins[0].user, "anonymous");
    EXPECT_EQ(server.logins[0].password.size(), 13u);
}

TEST_F(UpdaterTest, NoUsableAddressGivesUpWithUpdate) {
    for (const char* position : {"[CHATADDR] 1.2.3.4 9400\n", "[FTPADDR] 127 0 0\n", "[FTPADDR] 256 0 0 1\n"}) {
        Put("config/position.ini", position);
        view.messages.clear();
        EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose) << position;
        EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE");
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0], kNoServerAddress);
    }
    EXPECT_TRUE(server.logins.empty());
}

TEST_F(UpdaterTest, MissingConfigDirectoryStillGetsTheWord) {
    std::filesystem::remove_all(program / "config");
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE");
}

TEST_F(UpdaterTest, UnreachableOrRefusingServerIsOneClearLine) {
    view.onMessage = [this] { EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE") << "the word comes first"; };
    for (LoginFailure failure : {LoginFailure::kUnreachable, LoginFailure::kRefused}) {
        server.refuseWith = failure;
        view.messages.clear();
        Put("config/EndTransfer.ini", kNoWord);
        EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
        EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE");
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0], LoginFailureText("127.0.0.1", failure));
        EXPECT_EQ(view.messages[0].find('\n'), std::string::npos);
        EXPECT_NE(view.messages[0].find("127.0.0.1"), std::string::npos);
    }
    EXPECT_NE(LoginFailureText("1.2.3.4", LoginFailure::kRefused), LoginFailureText("1.2.3.4", LoginFailure::kUnreachable));
    EXPECT_TRUE(view.offers.empty());
}

TEST_F(UpdaterTest, NewVersionIsOfferedWithItsTextAndNotYetStored) {
    view.onOffer = [this] { EXPECT_EQ(Read("config/EndTransfer.ini"), kNoWord) << "no word while the user decides"; };
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kApplyChangeList);
    ASSERT_EQ(view.offers.size(), 1u);
    EXPECT_EQ(view.offers[0], "새 판이 나왔습니다\n받으시겠습니까?");
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion);

    std::filesystem::remove(program / "config/version.ini");
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kApplyChangeList);
    EXPECT_EQ(view.offers.back(), "새 판이 나왔습니다\n받으시겠습니까?");
    EXPECT_FALSE(Exists("config/version.ini"));
}

TEST_F(UpdaterTest, CancelKeepsTheInstalledVersionSoTheNextRunOffersAgain) {
    view.agree = false;
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion);
    EXPECT_EQ(Read("config/EndTransfer.ini"), "NO");
    EXPECT_EQ(server.openSessions, 0);

    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_EQ(view.offers.size(), 2u);
}

TEST_F(UpdaterTest, UnwritableProbeFallsBackToTheDownloadDirectory) {
    probe = dir.Path() / "read-only-root" / "ver";
    Put("config/version.ini", kServerVersion);
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_EQ(Read("config/EndTransfer.ini"), "NO") << "the versions were still compared";
    EXPECT_TRUE(Fetched("/vorlo/version.ini"));
    EXPECT_FALSE(Exists("temp"));

    Put("config/version.ini", kLocalVersion);
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kApplyChangeList);
    EXPECT_TRUE(Exists("temp/ver"));
}

TEST_F(UpdaterTest, UnfetchableServerVersionOffersTheLocalText) {
    server.files.erase("/vorlo/version.ini");
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kApplyChangeList);
    ASSERT_EQ(view.offers.size(), 1u);
    EXPECT_EQ(view.offers[0], "지난 판");
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion);
}

// Applying the change list.

TEST_F(UpdaterTest, InstallsEachSectionIntoItsDirectory) {
    Put("util/a.dll", "old a");
    Serve("[UTIL]\na.dll\nb.exe\n[MEDIA]\nc.avi\n", {{"a.dll", kDll}, {"b.exe", "bee"}, {"c.avi", "RIFF"}});
    Updater updater = Agreed();
    EXPECT_EQ(updater.ApplyChangeList(), NextStep::kClose);

    EXPECT_EQ(Read("util/a.dll"), kDll);
    EXPECT_EQ(Read("util/b.exe"), "bee");
    EXPECT_EQ(Read("media/c.avi"), "RIFF");
    EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE");
    EXPECT_FALSE(Exists("temp"));
    EXPECT_FALSE(Exists("util/a.dll.partial"));
    EXPECT_EQ(Read("config/version.ini"), kServerVersionArrived);
    EXPECT_EQ(server.openSessions, 0);
    EXPECT_TRUE(view.messages.empty());

    EXPECT_EQ(view.clipStarts, 1);
    EXPECT_EQ(view.clipStops, 1);
    EXPECT_EQ(view.ranges, (std::vector<std::pair<int, int>>{{0, kDefaultFileCount}}));
    EXPECT_EQ(view.steps, 3);
    EXPECT_EQ(view.fileTexts,
              (std::vector<std::string>{"a.dll를 복사합니다", "b.exe를 복사합니다", "c.avi를 복사합니다"}));
}

TEST_F(UpdaterTest, UpdateDirectoryFollowsTheLoginDirectory) {
    server.workingDirectory = "/home/ftp";
    server.files["/home/ftp/vorlo/change.ini"] = "[SCRIPT]\n다락.scp^x\n";
    server.files["/home/ftp/vorlo/다락.scp"] = "script";
    Updater updater = Agreed();
    updater.ApplyChangeList();
    EXPECT_EQ(Read("script/다락.scp"), "script");
}

TEST_F(UpdaterTest, NameInTwoSectionsIsFetchedOnceAndInstalledTwice) {
    Serve("[UTIL]\nshared.ini\n[CONFIG]\nshared.ini\n", {{"shared.ini", "s"}});
    Updater updater = Agreed();
    updater.ApplyChangeList();
    EXPECT_EQ(Read("util/shared.ini"), "s");
    EXPECT_EQ(Read("config/shared.ini"), "s");
    EXPECT_EQ(std::count(server.fetches.begin(), server.fetches.end(), "/vorlo/shared.ini"), 1);
}

TEST_F(UpdaterTest, RestartWaitsForTheConnectorsGrant) {
    Serve("[RESTART]\n[UTIL]\na.dll\n", {{"a.dll", "a"}});
    Put("config/Receive.ini", kNoWord);
    Updater updater = Agreed();
    EXPECT_EQ(updater.ApplyChangeList(), NextStep::kWaitForGrant);
    EXPECT_EQ(Read("config/EndTransfer.ini"), "YES");
    EXPECT_EQ(Read("util/a.dll"), "a");
    EXPECT_FALSE(Exists("temp"));

    EXPECT_EQ(updater.PollReceive(), NextStep::kWaitForGrant);
    EXPECT_TRUE(launcher.started.empty());

    Put("config/Receive.ini", kGrant);
    EXPECT_EQ(updater.PollReceive(), NextStep::kClose);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0], program / "Pondial.exe");
    EXPECT_EQ(Read("config/Receive.ini"), kNoWord);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(UpdaterTest, ConnectorThatDoesNotStartIsReported) {
    Put("config/Receive.ini", "YES");
    launcher.starts = false;
    EXPECT_EQ(Make().PollReceive(), NextStep::kClose);
    EXPECT_EQ(view.messages, (std::vector<std::string>{std::string(kConnectorNotStarted)}));
}

// Updates that fail install nothing, end with "UPDATE" and are offered again.

class FailedUpdateTest : public UpdaterTest {
protected:
    void ExpectNothingInstalled(Updater& updater) {
        EXPECT_EQ(updater.ApplyChangeList(), NextStep::kClose);
        EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE");
        EXPECT_FALSE(Exists("temp"));
        EXPECT_EQ(Read("config/version.ini"), kLocalVersion) << "the next run must offer the update again";
        EXPECT_EQ(Read("util/a.dll"), "old a");
        EXPECT_EQ(server.openSessions, 0);
        EXPECT_EQ(view.clipStops, 1);
    }

    void SetUp() override { Put("util/a.dll", "old a"); }
};

TEST_F(FailedUpdateTest, PathOutsideItsSectionRefusesTheWholeUpdate) {
    Serve("[RESTART]\n[UTIL]\na.dll\n..\\evil.dll\n../evil2.dll\nc:evil3.dll\n",
          {{"a.dll", "new a"}, {"..\\evil.dll", "evil"}, {"../evil2.dll", "evil"}, {"c:evil3.dll", "evil"}});
    Updater updater = Agreed();
    ExpectNothingInstalled(updater);
    EXPECT_EQ(view.messages, (std::vector<std::string>{RefusedEntryText({Section::kUtil, "..\\evil.dll"})}));
    EXPECT_FALSE(Fetched("/vorlo/a.dll")) << "refused before anything is fetched";
    for (auto entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
        EXPECT_EQ(entry.path().filename().string().find("evil"), std::string::npos) << entry.path();
    }
}

TEST_F(FailedUpdateTest, FileBeforeTheFirstSectionIsRefused) {
    Serve("stray.dll\n[UTIL]\na.dll\n", {{"stray.dll", "s"}, {"a.dll", "new a"}});
    Updater updater = Agreed();
    ExpectNothingInstalled(updater);
    EXPECT_EQ(view.messages, (std::vector<std::string>{RefusedEntryText({Section::kNone, "stray.dll"})}));
    EXPECT_FALSE(Exists("stray.dll"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "programstray.dll"));
}

TEST_F(FailedUpdateTest, SizeThatStaysWrongStopsTheDownloads) {
    Serve("[RESTART]\n[UTIL]\nb.exe\na.dll\n[MEDIA]\nc.avi\n", {{"a.dll", "new a"}, {"b.exe", "b"}, {"c.avi", "c"}});
    server.wrongListings["/vorlo/a.dll"] = 1 + kExtraFetches;
    Updater updater = Agreed();
    ExpectNothingInstalled(updater);
    EXPECT_FALSE(Exists("util/b.exe")) << "an intact file is not installed alone";
    EXPECT_EQ(view.messages, (std::vector<std::string>{DownloadFailedText({Section::kUtil, "a.dll"})}));
    EXPECT_FALSE(Fetched("/vorlo/c.avi"));
}

TEST_F(FailedUpdateTest, MissingChangeList) {
    Updater updater = Agreed();
    ExpectNothingInstalled(updater);
    EXPECT_EQ(view.messages, (std::vector<std::string>{std::string(kChangeListUnreadable)}));
}

TEST_F(FailedUpdateTest, UnreadableChangeListIsReportedThenCleanedUp) {
    Serve("[UTIL]\na.dll\n", {{"a.dll", "new a"}});
    server.silentFetches.push_back("/vorlo/change.ini");
    view.onMessage = [this] {
        EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE") << "the word comes first";
        EXPECT_FALSE(Exists("temp"));
    };
    Updater updater = Agreed();
    ExpectNothingInstalled(updater);
    EXPECT_EQ(view.messages, (std::vector<std::string>{std::string(kChangeListUnreadable)}));
}

TEST_F(FailedUpdateTest, StalledServerEndsTheUpdateAtOnceWithItsLine) {
    Serve("[UTIL]\na.dll\nb.exe\n", {{"a.dll", "new a"}, {"b.exe", "b"}});
    server.stallingFetches.push_back("/vorlo/a.dll");
    Updater updater = Agreed();
    ExpectNothingInstalled(updater);
    EXPECT_EQ(view.messages, (std::vector<std::string>{StalledServerText()}));
    EXPECT_EQ(std::count(server.fetches.begin(), server.fetches.end(), "/vorlo/a.dll"), 1) << "no second wait";
    EXPECT_FALSE(Fetched("/vorlo/b.exe"));

    // Stalled at the version file: nothing is offered.
    server.stallingFetches = {"/vorlo/version.ini"};
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_EQ(view.offers.size(), 1u);
    EXPECT_EQ(view.messages.back(), StalledServerText());
    EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE");
}

// Files in use, interrupted updates and refusals that would come back.

TEST_F(UpdaterTest, OwnClipIsClosedBeforeAnyFileIsReplaced) {
    Put("media/filecopy.avi", "old clip");
    Put("util/a.dll", "old a");
    Serve("[MEDIA]\nfilecopy.avi\n[UTIL]\na.dll\n", {{"filecopy.avi", "new clip"}, {"a.dll", "new a"}});
    view.onStopClip = [this] {
        EXPECT_EQ(Read("media/filecopy.avi"), "old clip");
        EXPECT_EQ(Read("util/a.dll"), "old a");
    };
    Updater updater = Agreed();
    EXPECT_EQ(updater.ApplyChangeList(), NextStep::kClose);
    EXPECT_EQ(view.clipStops, 1);
    EXPECT_EQ(Read("media/filecopy.avi"), "new clip");
}

TEST_F(UpdaterTest, FileInUseIsNamedAndTheVersionWaitsForIt) {
    Put("util/a.dll", "old a");
    Hold("util/b.exe");
    Serve("[UTIL]\na.dll\nb.exe\n", {{"a.dll", "new a"}, {"b.exe", "new b"}});
    view.onMessage = [this] { EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE") << "the word comes first"; };
    Updater updater = Agreed();
    EXPECT_EQ(updater.ApplyChangeList(), NextStep::kClose);
    EXPECT_EQ(view.messages, (std::vector<std::string>{HeldFilesText({"util\\b.exe"})}));
    EXPECT_EQ(Read("util/a.dll"), "new a");
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion) << "the next connection offers the update again";
    EXPECT_FALSE(Exists("temp"));
}

TEST_F(UpdaterTest, KilledUpdateKeepsTheOldVersionAndTheNextRunFinishes) {
    Put("util/a.dll", "old a");
    Serve("[UTIL]\na.dll\nb.exe\nc.ini\n", {{"a.dll", "new a"}, {"b.exe", "new b"}, {"c.ini", "new c"}});
    view.onStep = [this] {
        EXPECT_EQ(Read("config/version.ini"), kLocalVersion);
        if (view.steps == 2) throw Killed{};
    };
    Updater killed = Agreed();
    EXPECT_THROW(killed.ApplyChangeList(), Killed);
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion);

    view.onStep = nullptr;
    Updater next = Agreed();
    EXPECT_EQ(next.ApplyChangeList(), NextStep::kClose);
    EXPECT_EQ(view.offers.size(), 2u);
    EXPECT_EQ(Read("util/a.dll") + Read("util/b.exe") + Read("util/c.ini"), "new anew bnew c");
    EXPECT_EQ(Read("config/version.ini"), kServerVersionArrived);
    EXPECT_FALSE(Exists("temp"));
}

TEST_F(UpdaterTest, FileTheConnectorHoldsIsReplacedAfterItsGrant) {
    Hold("media/help.avi");
    Put("config/Receive.ini", kNoWord);
    Serve("[RESTART]\n[MEDIA]\nhelp.avi\n[UTIL]\na.dll\n", {{"help.avi", "new help"}, {"a.dll", "new a"}});
    Updater updater = Agreed();
    EXPECT_EQ(updater.ApplyChangeList(), NextStep::kWaitForGrant);
    EXPECT_EQ(Read("config/EndTransfer.ini"), "YES");
    EXPECT_EQ(Read("util/a.dll"), "new a");
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion);
    EXPECT_EQ(server.openSessions, 0);

    // Granted, but the connector is still ending.
    Put("config/Receive.ini", kGrant);
    EXPECT_EQ(updater.PollReceive(), NextStep::kReplaceHeldFiles);
    EXPECT_EQ(updater.ReplaceHeldFiles(), NextStep::kReplaceHeldFiles);
    EXPECT_TRUE(launcher.started.empty());

    LetGo("media/help.avi");
    EXPECT_EQ(updater.ReplaceHeldFiles(), NextStep::kClose);
    EXPECT_EQ(Read("media/help.avi"), "new help");
    EXPECT_EQ(Read("config/version.ini"), kServerVersionArrived);
    EXPECT_EQ(launcher.started, (std::vector<std::filesystem::path>{program / "Pondial.exe"}));
    EXPECT_FALSE(Exists("temp"));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(UpdaterTest, FileStillHeldAfterTheGrantIsNamedAndTheConnectorStarts) {
    Hold("media/help.avi");
    Put("config/Receive.ini", kGrant);
    Serve("[RESTART]\n[MEDIA]\nhelp.avi\n", {{"help.avi", "new help"}});
    Updater updater = Agreed();
    EXPECT_EQ(updater.ApplyChangeList(), NextStep::kWaitForGrant);
    int tries = 0;
    for (NextStep next = updater.PollReceive(); next == NextStep::kReplaceHeldFiles; next = updater.ReplaceHeldFiles()) {
        ASSERT_LT(++tries, 1000);
    }
    EXPECT_EQ(tries, kHeldFileTries - 1) << "one try at the grant, then one every kHeldFileRetryMs";
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(view.messages, (std::vector<std::string>{HeldFilesText({"media\\help.avi"})}));
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion);
    EXPECT_FALSE(Exists("temp"));
}

TEST_F(UpdaterTest, RefusalIsToldOnceAndOfferedAgainOnlyWhenTheServerChanges) {
    // A missing list, then a list with a refused name, each told once.
    Updater first = Agreed();
    first.ApplyChangeList();
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_EQ(Read("config/EndTransfer.ini"), "NO");

    Serve("[UTIL]\nc:evil.dll\n");
    Updater second = Agreed();
    second.ApplyChangeList();
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    EXPECT_EQ(view.offers.size(), 2u);
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(Read("config/version.ini"), kLocalVersion);

    // A fixed list of the same version is offered again, and so is a new
    // version; one that installs forgets the refusal.
    Serve("[UTIL]\na.dll\n", {{"a.dll", "a"}});
    Make().CheckForUpdate();
    EXPECT_EQ(view.offers.size(), 3u);
    Serve("[UTIL]\nc:evil.dll\n");
    server.files["/vorlo/version.ini"] = "1999.12.03\n";
    Updater third = Agreed();
    Serve("[UTIL]\na.dll\n", {{"a.dll", "a"}});
    EXPECT_EQ(third.ApplyChangeList(), NextStep::kClose);
    EXPECT_EQ(Read("config/version.ini"), "1999.12.03\r\n");
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_FALSE(Exists("config/update_refused.ini"));
}

TEST(ServerUpdateDirectory, JoinsWithOneSlash) {
    EXPECT_EQ(ServerUpdateDirectory("/"), "/vorlo/");
    EXPECT_EQ(ServerUpdateDirectory(""), "/vorlo/");
    EXPECT_EQ(ServerUpdateDirectory("/pub"), "/pub/vorlo/");
    EXPECT_EQ(ServerUpdateDirectory("/pub/"), "/pub/vorlo/");
}

// Signed updates: the service's key in config/ makes the manifest required.
class SignedUpdateTest : public UpdaterTest {
protected:
    SignedUpdateTest() {
        Serve("[UTIL]\none.dll\n", {{"one.dll", kDll}});
    }

    // Signs what the server holds now, leaving out the name given.
    void Sign(const std::string& unlisted = "") {
        Put("config/update-key.pem", std::string(kTestKeyPem));
        std::string manifest;
        for (const auto& [remote, content] : server.files) {
            std::string name = remote.substr(remote.rfind('/') + 1);
            if (name != unlisted) manifest += verifier.Line(name, content);
        }
        server.files["/vorlo/manifest.ini"] = manifest;
        server.files["/vorlo/manifest.sig"] = verifier.Sign(*ParsePublicKeyPem(kTestKeyPem), manifest);
    }

    void ExpectNothingInstalled(const std::string& line) {
        EXPECT_FALSE(Exists("util/one.dll"));
        EXPECT_EQ(Read("config/version.ini"), kLocalVersion);
        EXPECT_EQ(Read("config/EndTransfer.ini"), "UPDATE");
        EXPECT_EQ(view.messages, std::vector<std::string>{line});
        EXPECT_FALSE(Exists("temp"));
    }
};

TEST_F(SignedUpdateTest, SignedUpdateInstallsAsAnUnsignedOneDid) {
    Sign();
    Updater updater = Agreed();
    EXPECT_EQ(updater.ApplyChangeList(), NextStep::kClose);
    EXPECT_EQ(Read("util/one.dll"), kDll);
    EXPECT_EQ(Read("config/version.ini"), kServerVersion);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(SignedUpdateTest, FileChangedOrUnlistedAfterSigningInstallsNothingAndIsNamed) {
    Sign();
    server.files["/vorlo/one.dll"] = kDll + "virus";
    Agreed().ApplyChangeList();
    ExpectNothingInstalled(UnverifiedFileText("one.dll"));

    server.files["/vorlo/one.dll"] = kDll;
    Sign("one.dll");
    view.messages.clear();
    Agreed().ApplyChangeList();
    ExpectNothingInstalled(UnverifiedFileText("one.dll"));
}

TEST_F(SignedUpdateTest, UntrustedManifestOrVersionFileIsNotEvenOffered) {
    for (auto spoil : std::vector<std::function<void()>>{
             [this] { server.files["/vorlo/manifest.ini"] += "0"; },
             [this] { server.files.erase("/vorlo/manifest.sig"); },
             [this] { Put("config/update-key.pem", "-----BEGIN PUBLIC KEY-----\n-----END PUBLIC KEY-----\n"); },
         }) {
        Sign();
        spoil();
        view.messages.clear();
        EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
        EXPECT_TRUE(view.offers.empty());
        ExpectNothingInstalled(std::string(kUnverifiedUpdate));
    }
    Sign();
    server.files["/vorlo/version.ini"] = kServerVersion + "more";
    view.messages.clear();
    EXPECT_EQ(Make().CheckForUpdate(), NextStep::kClose);
    ExpectNothingInstalled(UnverifiedFileText("version.ini"));
}

} // namespace
} // namespace update
