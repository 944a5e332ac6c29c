#include "client/games/game_registration.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

namespace {

using lobby::GameFormCheck;
using lobby::GameFormMode;
using lobby::GameSaveResult;

TEST(GameForm, ChecksRunInTheirOrder) {
    EXPECT_EQ(lobby::CheckGameForm({"a^b", std::string(300, 'p'), "x.exe"}), GameFormCheck::kNameHasCaret);
    EXPECT_EQ(lobby::CheckGameForm({std::string(256, 'n'), std::string(300, 'p'), std::string(300, 'e')}),
              GameFormCheck::kNameTooLong);
    EXPECT_EQ(lobby::CheckGameForm({"n", std::string(260, 'p'), std::string(300, 'e')}), GameFormCheck::kPathTooLong);
    EXPECT_EQ(lobby::CheckGameForm({"n", "p", std::string(256, 'e')}), GameFormCheck::kExeTooLong);
    EXPECT_EQ(lobby::CheckGameForm({std::string(255, 'n'), std::string(259, 'p'), std::string(255, 'e')}),
              GameFormCheck::kAccepted);
    // An empty name is not refused: it is saved as a free slot.
    EXPECT_EQ(lobby::CheckGameForm({"", "", ""}), GameFormCheck::kAccepted);
}

TEST(GameForm, LengthsCountCp949Bytes) {
    std::string hangul127 = "";
    for (int i = 0; i < 127; ++i) hangul127 += "가";
    EXPECT_EQ(lobby::CheckFieldLength(lobby::GameField::kName, hangul127 + "a"), GameFormCheck::kAccepted);
    EXPECT_EQ(lobby::CheckFieldLength(lobby::GameField::kName, hangul127 + "가"), GameFormCheck::kNameTooLong);
    EXPECT_STREQ(lobby::GameFormCheckText(GameFormCheck::kPathTooLong), "실행파일경로의 길이가 범위를 벗어났습니다");
    EXPECT_STREQ(lobby::GameFormCheckText(GameFormCheck::kNameHasCaret), "'^'문자는 입력할수 없습니다");
}

TEST(GameFormSave, AddRefusesADuplicateAndWritesNothing) {
    test_support::ScratchDirectory scratch;
    auto file = scratch / "game.ini";
    EXPECT_EQ(lobby::SaveGameForm(file, GameFormMode::kAdd, "", {"A", "a", "a.exe"}), GameSaveResult::kSaved);
    std::string before = test_support::FileBytes(file);
    EXPECT_EQ(lobby::SaveGameForm(file, GameFormMode::kAdd, "", {"A", "b", "b.exe"}), GameSaveResult::kDuplicateName);
    EXPECT_EQ(test_support::FileBytes(file), before);
    EXPECT_STREQ(lobby::GameSaveResultText(GameSaveResult::kDuplicateName),
                 "입력하는 게임명이 이미 존재합니다.\r\n다시입력하여 주십시오.");
}

TEST(GameFormSave, ModifyReplacesThePreviousNamesRecord) {
    test_support::ScratchDirectory scratch;
    auto file = scratch / "game.ini";
    ASSERT_EQ(lobby::SaveGameForm(file, GameFormMode::kAdd, "", {"A", "a", "a.exe"}), GameSaveResult::kSaved);
    ASSERT_EQ(lobby::SaveGameForm(file, GameFormMode::kAdd, "", {"B", "b", "b.exe"}), GameSaveResult::kSaved);
    EXPECT_EQ(lobby::SaveGameForm(file, GameFormMode::kModify, "A", {"B", "x", "x.exe"}), GameSaveResult::kSaved);
    auto records = lobby::ReadGameRecords(file);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].directory, "x");
    EXPECT_EQ(records[1].directory, "b");
    EXPECT_EQ(lobby::SaveGameForm(file, GameFormMode::kModify, "gone", {"C", "c", "c.exe"}),
              GameSaveResult::kModifyFailed);
}

TEST(GameFormSave, UncreatableFileIsReportedBeforeAnythingElse) {
    test_support::ScratchDirectory scratch;
    auto file = scratch / "missing" / "game.ini";
    EXPECT_EQ(lobby::SaveGameForm(file, GameFormMode::kAdd, "", {"A", "a", "a.exe"}),
              GameSaveResult::kFileNotCreated);
    EXPECT_EQ(lobby::SaveGameForm(file, GameFormMode::kModify, "A", {"A", "a", "a.exe"}),
              GameSaveResult::kFileNotCreated);
    EXPECT_STREQ(lobby::GameSaveResultText(GameSaveResult::kFileNotCreated), "화일생성 실패");
}

TEST(ChosenExecutable, SplitsAtTheBackslashBeforeTheName) {
    auto game = lobby::SplitChosenExecutable("C:\\Games\\x.exe", "x.exe");
    EXPECT_EQ(game.directory, "C:\\Games");
    EXPECT_EQ(game.executable, "x.exe");
    auto root = lobby::SplitChosenExecutable("C:\\x.exe", "x.exe");
    EXPECT_EQ(root.directory, "C:");
    EXPECT_EQ(root.executable, "x.exe");
    // A folder that carries the name's text is not where the name is.
    auto folder = lobby::SplitChosenExecutable("D:\\x.exe old\\x.exe", "x.exe");
    EXPECT_EQ(folder.directory, "D:\\x.exe old");
}

TEST(ChosenExecutable, HangulFoldersAndNamesSplitByBytes) {
    auto game = lobby::SplitChosenExecutable("C:\\게임\\스타.exe", "스타.exe");
    EXPECT_EQ(game.directory, "C:\\게임");
    EXPECT_EQ(game.executable, "스타.exe");
}

TEST(ChosenExecutable, NameNotFoundPutsTheWholePathIntoTheDirectory) {
    auto game = lobby::SplitChosenExecutable("C:\\Games\\y.exe", "x.exe");
    EXPECT_EQ(game.directory, "C:\\Games\\y.exe");
    EXPECT_EQ(game.executable, "x.exe");
    EXPECT_EQ(lobby::SplitChosenExecutable("x.exe", "x.exe").directory, "x.exe");
}

TEST(RegisteredGameCommand, JoinsDirectoryAndExecutable) {
    EXPECT_EQ(lobby::RegisteredGameCommand({"A", "C:\\Games", "x.exe"}), "C:\\Games\\x.exe");
    EXPECT_EQ(lobby::RegisteredGameCommand({"A", "C:", "x.exe"}), "C:\\x.exe");
}

} // namespace
