#include "client/games/game_records.h"
#include "client/room_creation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Record(const std::string& name, const std::string& dir, const std::string& exe) {
    std::string record(lobby::kGameRecordSize, '\0');
    record.replace(0, name.size(), name);
    record.replace(lobby::kGameNameSize, dir.size(), dir);
    record.replace(lobby::kGameNameSize + lobby::kGamePathSize, exe.size(), exe);
    return record;
}

TEST(GameRecords, UsedRecordsInFileOrderFreeSlotsSkipped) {
    std::string file = Record("A", "c:\\a", "a.exe") + std::string(lobby::kGameRecordSize, '\0') +
                       Record("C", "d:", "c.exe");
    auto records = lobby::ParseGameRecords(file);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, "A");
    EXPECT_EQ(records[0].directory, "c:\\a");
    EXPECT_EQ(records[1].name, "C");
    EXPECT_EQ(records[1].executable, "c.exe");
}

TEST(GameRecords, TruncatedLastRecordAndUnterminatedFieldsStayInside) {
    std::string full(lobby::kGameRecordSize, 'n');  // no terminator in any field
    std::string file = full + Record("B", "x", "y").substr(0, 500);
    auto records = lobby::ParseGameRecords(file);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name.size(), lobby::kGameNameSize);
    EXPECT_EQ(records[0].directory.size(), lobby::kGamePathSize);
    EXPECT_EQ(records[0].executable.size(), lobby::kGameExeSize);
}

TEST(GameChoices, StarCraftThenApplicationsThenRegisteredGames) {
    auto choices = lobby::BuildGameChoices({"App1", "App2"}, {"Mine"});
    EXPECT_EQ(choices.entries, (std::vector<std::string>{"스타 크래프트", "App1", "App2", "Mine"}));
    EXPECT_EQ(choices.offeredApplications, 2u);

    auto index2 = lobby::GameKindForIndex(2, choices.offeredApplications);
    EXPECT_EQ(index2.kind, lobby::kDirectPlayGame);
    EXPECT_EQ(index2.applicationIndex, 1);
    EXPECT_EQ(lobby::GameKindForIndex(3, choices.offeredApplications).kind, lobby::kRegisteredGame);
    EXPECT_EQ(lobby::GameKindForIndex(0, choices.offeredApplications).kind, lobby::kStarCraft);
}

TEST(GameChoices, OnlyStarCraftWithoutApplicationsOrRegisteredGames) {
    auto choices = lobby::BuildGameChoices({}, {});
    EXPECT_EQ(choices.entries, (std::vector<std::string>{"스타 크래프트"}));
    EXPECT_EQ(lobby::GameKindForIndex(1, choices.offeredApplications).kind, lobby::kRegisteredGame);
}

TEST(GameChoices, MoreThanFifteenApplicationsKeepTheMappingConsistent) {
    std::vector<std::string> applications;
    for (int i = 0; i < 20; ++i) applications.push_back("App" + std::to_string(i));
    auto choices = lobby::BuildGameChoices(applications, {"Mine"});
    ASSERT_EQ(choices.offeredApplications, lobby::kMaxOfferedApplications);
    ASSERT_EQ(choices.entries.size(), 1 + lobby::kMaxOfferedApplications + 1);
    // Every entry the list shows maps to the thing it names.
    for (std::size_t index = 1; index <= lobby::kMaxOfferedApplications; ++index) {
        auto choice = lobby::GameKindForIndex(static_cast<int>(index), choices.offeredApplications);
        ASSERT_EQ(choice.kind, lobby::kDirectPlayGame);
        EXPECT_EQ(applications[static_cast<std::size_t>(choice.applicationIndex)], choices.entries[index]);
    }
    EXPECT_EQ(choices.entries.back(), "Mine");
    EXPECT_EQ(lobby::GameKindForIndex(16, choices.offeredApplications).kind, lobby::kRegisteredGame);
}

TEST(RoomCheck, RefusalsComeInTheirOrder) {
    EXPECT_EQ(lobby::CheckRoom("ab", "", 2), lobby::RoomCheck::NoGame);
    EXPECT_EQ(lobby::CheckRoom("ab", "game", 2), lobby::RoomCheck::TitleTooShort);
    EXPECT_EQ(lobby::CheckRoom("a^b", "game", 2), lobby::RoomCheck::TitleHasCaret);
    EXPECT_EQ(lobby::CheckRoom("abc", "game", 13), lobby::RoomCheck::MembersOutOfRange);
    EXPECT_EQ(lobby::CheckRoom("abc", "game", 1), lobby::RoomCheck::MembersOutOfRange);
    EXPECT_EQ(lobby::CheckRoom("abc", "game", 12), lobby::RoomCheck::Accepted);
    EXPECT_EQ(lobby::CheckRoom("가나", "game", 2), lobby::RoomCheck::Accepted);  // 4 bytes
}

} // namespace
