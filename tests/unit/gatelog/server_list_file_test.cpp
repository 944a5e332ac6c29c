#include "gatelog/server_list_file.h"

#include <gtest/gtest.h>

#include "tests/unit/support/scratch_directory.h"

namespace gatelog {
namespace {

using test_support::FileBytes;
using test_support::WriteBytes;

std::string RecordBytes(std::string_view name, std::string_view address) {
    auto record = EncodeServerRecord(name, address);
    EXPECT_TRUE(record);
    return std::string(record->begin(), record->end());
}
const std::string kFreeSlot(kServerRecordSize, '\0');

class ServerListFileTest : public ::testing::Test {
protected:
    test_support::ScratchDirectory dir;
    const std::filesystem::path file = dir / "bnet.ini";
};

TEST(ServerRecord, PlacesNameAndAddressInZeroFilledFields) {
    std::string bytes = RecordBytes("local", "127.0.0.1");
    ASSERT_EQ(bytes.size(), 317u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("local\0", 6));
    EXPECT_EQ(bytes.substr(61, 10), std::string("127.0.0.1\0", 10));
    EXPECT_EQ(bytes.find_first_not_of('\0', 5), 61u) << "the rest of the name field is zero";
    EXPECT_EQ(bytes.find_first_not_of('\0', 70), std::string::npos) << "the rest of the address field is zero";
}

TEST(ServerRecord, RefusesFieldsThatLeaveNoRoomForTheZero) {
    EXPECT_TRUE(EncodeServerRecord(std::string(60, 'n'), std::string(255, 'a')));
    EXPECT_FALSE(EncodeServerRecord(std::string(61, 'n'), "a"));
    EXPECT_FALSE(EncodeServerRecord("n", std::string(256, 'a')));
}

TEST(ServerRecord, ReadsUnterminatedFieldsOnlyUpToTheirLimit) {
    ServerRecord record;
    record.fill('x');
    ServerEntry entry = DecodeServerRecord(record);
    EXPECT_EQ(entry.name, std::string(60, 'x'));
    EXPECT_EQ(entry.address, std::string(255, 'x'));
}

TEST_F(ServerListFileTest, MissingFileIsAnEmptyList) {
    EXPECT_TRUE(LoadServerEntries(file).empty());
    EXPECT_FALSE(ServerRecordExists(file, "127.0.0.1"));
    EXPECT_FALSE(DeleteServerRecord(file, "127.0.0.1"));
    EXPECT_FALSE(std::filesystem::exists(file)) << "deleting does not create the file";
}

TEST_F(ServerListFileTest, FirstAddCreatesTheFileWithOneRecord) {
    EXPECT_EQ(AppendServerRecord(file, "local", "127.0.0.1"), AppendResult::kStored);
    EXPECT_EQ(FileBytes(file), RecordBytes("local", "127.0.0.1"));
}

TEST_F(ServerListFileTest, AddFillsTheFirstFreeSlotThenAppends) {
    WriteBytes(file, RecordBytes("A", "a.example") + kFreeSlot + RecordBytes("B", "b.example"));
    EXPECT_EQ(LoadServerEntries(file), (std::vector<ServerEntry>{{"A", "a.example"}, {"B", "b.example"}}));

    EXPECT_EQ(AppendServerRecord(file, "C", "c.example"), AppendResult::kStored);
    EXPECT_EQ(FileBytes(file), RecordBytes("A", "a.example") + RecordBytes("C", "c.example") + RecordBytes("B", "b.example"));

    EXPECT_EQ(AppendServerRecord(file, "D", "d.example"), AppendResult::kStored);
    EXPECT_EQ(FileBytes(file).size(), 4 * kServerRecordSize);
    EXPECT_EQ(LoadServerEntries(file).back(), (ServerEntry{"D", "d.example"}));
}

TEST_F(ServerListFileTest, AddressesMatchByteForByte) {
    AppendServerRecord(file, "local", "Bnet.Example");
    EXPECT_TRUE(ServerRecordExists(file, "Bnet.Example"));
    EXPECT_FALSE(ServerRecordExists(file, "bnet.example")) << "letter case makes a new address";
    EXPECT_FALSE(ServerRecordExists(file, "Bnet.Exampl"));
    EXPECT_FALSE(ServerRecordExists(file, ""));
}

TEST_F(ServerListFileTest, DeleteZeroesTheRecordAndKeepsItsSlot) {
    AppendServerRecord(file, "A", "a.example");
    AppendServerRecord(file, "B", "b.example");
    AppendServerRecord(file, "B2", "b.example.net");

    EXPECT_TRUE(DeleteServerRecord(file, "b.example"));
    EXPECT_EQ(FileBytes(file), RecordBytes("A", "a.example") + kFreeSlot + RecordBytes("B2", "b.example.net"));
    EXPECT_FALSE(ServerRecordExists(file, "b.example")) << "a deleted address can be added again";
    EXPECT_FALSE(DeleteServerRecord(file, "b.example"));
    EXPECT_FALSE(DeleteServerRecord(file, "")) << "the empty address of a free slot is never matched";
}

TEST_F(ServerListFileTest, TruncatedLastRecordIsIgnoredAndOverwrittenInStep) {
    std::string whole = RecordBytes("A", "a.example");
    WriteBytes(file, whole + RecordBytes("B", "b.example").substr(0, 100));
    EXPECT_EQ(LoadServerEntries(file), (std::vector<ServerEntry>{{"A", "a.example"}}));
    EXPECT_FALSE(ServerRecordExists(file, "b.example"));

    EXPECT_EQ(AppendServerRecord(file, "C", "c.example"), AppendResult::kStored);
    EXPECT_EQ(FileBytes(file), whole + RecordBytes("C", "c.example"));
    AppendServerRecord(file, "D", "d.example");
    EXPECT_EQ(LoadServerEntries(file),
              (std::vector<ServerEntry>{{"A", "a.example"}, {"C", "c.example"}, {"D", "d.example"}}));
}

TEST_F(ServerListFileTest, WithoutItsFolderTheFileCannotBeCreated) {
    auto inMissingFolder = dir / "config" / "bnet.ini";
    EXPECT_EQ(AppendServerRecord(inMissingFolder, "A", "a.example"), AppendResult::kCreateFailed);
    EXPECT_FALSE(std::filesystem::exists(dir / "config"));
}

TEST_F(ServerListFileTest, OversizedEntryIsRefusedWithoutTouchingTheFile) {
    AppendServerRecord(file, "A", "a.example");
    std::string before = FileBytes(file);
    EXPECT_EQ(AppendServerRecord(file, "A", std::string(256, 'a')), AppendResult::kWriteFailed);
    EXPECT_EQ(FileBytes(file), before);
}

TEST_F(ServerListFileTest, FolderInTheFilesPlaceIsLeftAlone) {
    // A folder in the file's place can be neither read nor written as records.
    std::filesystem::create_directory(file);
    EXPECT_EQ(AppendServerRecord(file, "A", "a.example"), AppendResult::kWriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

} // namespace
} // namespace gatelog
