#include "client/games/game_records.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lobby::GameRecord;
using test_support::FileBytes;
using test_support::WriteBytes;

std::string Bytes(const GameRecord& record) { return lobby::EncodeGameRecord(record).value(); }

std::vector<std::string> Names(const std::filesystem::path& file) {
    std::vector<std::string> names;
    for (const auto& record : lobby::ReadGameRecords(file)) names.push_back(record.name);
    return names;
}

const std::string kFree(lobby::kGameRecordSize, '\0');

class GameFile : public ::testing::Test {
protected:
    test_support::ScratchDirectory scratch;
    std::filesystem::path file = scratch / "game.ini";
};

TEST(GameRecordEncoding, FieldsSitAtTheirOffsetsWithZerosAfterEachText) {
    std::string bytes = Bytes({"스타", "C:\\Games", "x.exe"});
    ASSERT_EQ(bytes.size(), lobby::kGameRecordSize);
    EXPECT_EQ(bytes.substr(0, 5), std::string("스타") + '\0');
    EXPECT_EQ(bytes.substr(256, 9), std::string("C:\\Games") + '\0');
    EXPECT_EQ(bytes.substr(516, 6), std::string("x.exe") + '\0');
    EXPECT_EQ(bytes.find_first_not_of('\0', 522), std::string::npos);
}

TEST(GameRecordEncoding, EachTextMustLeaveRoomForItsTerminator) {
    EXPECT_TRUE(lobby::EncodeGameRecord({std::string(255, 'n'), std::string(259, 'p'), std::string(255, 'e')}));
    EXPECT_FALSE(lobby::EncodeGameRecord({std::string(256, 'n'), "p", "e"}));
    EXPECT_FALSE(lobby::EncodeGameRecord({"n", std::string(260, 'p'), "e"}));
    EXPECT_FALSE(lobby::EncodeGameRecord({"n", "p", std::string(256, 'e')}));
}

TEST_F(GameFile, DeletedSlotIsReusedByTheNextAdd) {
    for (const char* name : {"A", "B", "C"}) ASSERT_TRUE(lobby::AddGameRecord(file, {name, "c:\\g", "g.exe"}));
    lobby::DeleteGameRecord(file, "B");
    EXPECT_EQ(FileBytes(file), Bytes({"A", "c:\\g", "g.exe"}) + kFree + Bytes({"C", "c:\\g", "g.exe"}));
    ASSERT_TRUE(lobby::AddGameRecord(file, {"D", "d:", "d.exe"}));
    EXPECT_EQ(Names(file), (std::vector<std::string>{"A", "D", "C"}));
    EXPECT_EQ(FileBytes(file).size(), 3 * lobby::kGameRecordSize);
}

TEST_F(GameFile, MissingFileListsNothingAndIsCreatedByTheFirstAdd) {
    EXPECT_TRUE(Names(file).empty());
    EXPECT_FALSE(lobby::GameRecordExists(file, "A"));
    EXPECT_FALSE(lobby::GameRecordAtRow(file, 0));
    EXPECT_FALSE(lobby::ModifyGameRecord(file, "A", {"B", "p", "e"}));
    lobby::DeleteGameRecord(file, "A");
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_TRUE(lobby::AddGameRecord(file, {"A", "p", "e"}));
    EXPECT_EQ(FileBytes(file), Bytes({"A", "p", "e"}));
}

TEST_F(GameFile, LookupsSkipFreeSlotsAndCompareWholeNames) {
    WriteBytes(file, kFree + Bytes({"Age", "c:", "a.exe"}) + Bytes({"Age2", "d:", "b.exe"}));
    EXPECT_TRUE(lobby::GameRecordExists(file, "Age"));
    EXPECT_FALSE(lobby::GameRecordExists(file, "Ag"));
    EXPECT_FALSE(lobby::GameRecordExists(file, ""));
    // Rows count used records only: row 1 is the third slot.
    auto row = lobby::GameRecordAtRow(file, 1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->name, "Age2");
    EXPECT_EQ(row->directory, "d:");
    EXPECT_EQ(row->executable, "b.exe");
    EXPECT_FALSE(lobby::GameRecordAtRow(file, 2));
    EXPECT_FALSE(lobby::GameRecordAtRow(file, -1));
    EXPECT_EQ(lobby::FindGameRecord(file, "Age")->directory, "c:");
}

TEST_F(GameFile, ModifyOverwritesTheFirstMatchEvenWithAnotherRecordsName) {
    WriteBytes(file, Bytes({"A", "a", "a.exe"}) + Bytes({"B", "b", "b.exe"}));
    ASSERT_TRUE(lobby::ModifyGameRecord(file, "B", {"A", "x", "x.exe"}));
    EXPECT_EQ(FileBytes(file), Bytes({"A", "a", "a.exe"}) + Bytes({"A", "x", "x.exe"}));
    // Only the first of two equal names is reached.
    ASSERT_TRUE(lobby::ModifyGameRecord(file, "A", {"C", "c", "c.exe"}));
    EXPECT_EQ(Names(file), (std::vector<std::string>{"C", "A"}));
    EXPECT_FALSE(lobby::ModifyGameRecord(file, "Z", {"Z", "z", "z.exe"}));
    EXPECT_FALSE(lobby::ModifyGameRecord(file, "C", {std::string(256, 'n'), "c", "c.exe"}));
    EXPECT_EQ(Names(file), (std::vector<std::string>{"C", "A"}));
}

TEST_F(GameFile, EmptyNameWritesAFreeSlotThatTheNextAddTakes) {
    WriteBytes(file, Bytes({"A", "a", "a.exe"}));
    ASSERT_TRUE(lobby::AddGameRecord(file, {"", "ghost", "ghost.exe"}));
    EXPECT_EQ(FileBytes(file).size(), 2 * lobby::kGameRecordSize);
    EXPECT_EQ(Names(file), (std::vector<std::string>{"A"}));
    ASSERT_TRUE(lobby::AddGameRecord(file, {"B", "b", "b.exe"}));
    EXPECT_EQ(FileBytes(file), Bytes({"A", "a", "a.exe"}) + Bytes({"B", "b", "b.exe"}));
}

TEST_F(GameFile, DamagedShortTailIsReplacedNotWrittenAfter) {
    std::string tail = Bytes({"T", "t", "t.exe"}).substr(0, 300);
    WriteBytes(file, Bytes({"A", "a", "a.exe"}) + tail);
    EXPECT_EQ(Names(file), (std::vector<std::string>{"A"}));
    lobby::DeleteGameRecord(file, "T");
    EXPECT_EQ(FileBytes(file).size(), lobby::kGameRecordSize + 300);
    ASSERT_TRUE(lobby::AddGameRecord(file, {"B", "b", "b.exe"}));
    EXPECT_EQ(FileBytes(file), Bytes({"A", "a", "a.exe"}) + Bytes({"B", "b", "b.exe"}));
}

TEST_F(GameFile, DeleteZeroesOnlyTheFirstMatchAndNeverShrinks) {
    WriteBytes(file, Bytes({"A", "a", "a.exe"}) + Bytes({"A", "b", "b.exe"}));
    lobby::DeleteGameRecord(file, "A");
    EXPECT_EQ(FileBytes(file), kFree + Bytes({"A", "b", "b.exe"}));
    lobby::DeleteGameRecord(file, "nothing");
    EXPECT_EQ(FileBytes(file), kFree + Bytes({"A", "b", "b.exe"}));
}

TEST_F(GameFile, FileThatCannotBeCreatedFailsTheAdd) {
    auto inMissingFolder = scratch / "no-such-folder" / "game.ini";
    EXPECT_FALSE(lobby::OpenOrCreateGameFile(inMissingFolder));
    EXPECT_FALSE(lobby::AddGameRecord(inMissingFolder, {"A", "a", "a.exe"}));
    std::filesystem::create_directories(scratch / "folder.ini");
    EXPECT_FALSE(lobby::AddGameRecord(scratch / "folder.ini", {"A", "a", "a.exe"}));
}

} // namespace
