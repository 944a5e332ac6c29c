#include "dialer/connect_file.h"
#include "dialer/message_file.h"
#include "dialer/setup_file.h"
#include "dialer/url_file.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dialer {
namespace {

using test_support::FileBytes;
using test_support::ScratchDirectory;

void Write(const std::filesystem::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

std::string Record(std::initializer_list<std::pair<std::size_t, std::string>> fields, std::size_t size) {
    std::string record(size, '\0');
    for (const auto& [offset, text] : fields) record.replace(offset, text.size(), text);
    return record;
}

TEST(SetupFileTest, WritesThreeZeroFilledRecordsInOrderAndReadsThemBack) {
    ScratchDirectory dir;
    ASSERT_TRUE(WriteSetup(dir / "setup.ini", {"9", true, "게임방"}));
    EXPECT_EQ(FileBytes(dir / "setup.ini"), Record({{0, "[NUMBER]"}, {12, "9"}}, 32) +
                                                Record({{0, "[AUTO]"}, {12, "YES"}}, 32) +
                                                Record({{0, "[AUTOITEM]"}, {12, "게임방"}}, 32));
    auto read = ReadSetup(dir / "setup.ini");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->linePrefix, "9");
    EXPECT_TRUE(read->reserved);
    EXPECT_EQ(read->reservedItem, "게임방");
}

TEST(SetupFileTest, SkipsOtherTagsAndATornRecordAndCutsLongValuesAtACharacter) {
    ScratchDirectory dir;
    Write(dir / "setup.ini", Record({{0, "[OTHER]"}, {12, "x"}}, 32) + Record({{0, "[AUTO]"}, {12, "yes"}}, 32) +
                                 Record({{0, "[NUMBER]"}, {12, "0"}}, 32).substr(0, 20));
    auto read = ReadSetup(dir / "setup.ini");
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->reserved);  // only "YES" reserves
    EXPECT_EQ(read->linePrefix, "");
    EXPECT_FALSE(ReadSetup(dir / "missing.ini"));

    // Ten Hangul syllables are 20 bytes: nine fit before the terminating zero.
    ASSERT_TRUE(WriteSetup(dir / "setup.ini", {"", false, "가나다라마바사아자차"}));
    EXPECT_EQ(ReadSetup(dir / "setup.ini")->reservedItem, "가나다라마바사아자");
    EXPECT_EQ(FileBytes(dir / "setup.ini").size(), 96u);
}

TEST(MessageFileTest, ChangesARecordInPlaceAndAppendsNewOnes) {
    ScratchDirectory dir;
    auto file = dir / "message.ini";
    EXPECT_FALSE(SkipsQuestion(file, "게임방"));
    ASSERT_TRUE(SetSkipsQuestion(file, "게임방", true));
    ASSERT_TRUE(SetSkipsQuestion(file, "인터넷", false));
    ASSERT_TRUE(SetSkipsQuestion(file, "게임방", false));
    EXPECT_EQ(FileBytes(file), Record({{0, "게임방"}, {20, "NO"}}, 24) + Record({{0, "인터넷"}, {20, "NO"}}, 24));
    ASSERT_TRUE(SetSkipsQuestion(file, "인터넷", true));
    EXPECT_TRUE(SkipsQuestion(file, "인터넷"));
    EXPECT_FALSE(SkipsQuestion(file, "게임방"));
}

TEST(MessageFileTest, RefusesNamesThatDoNotFitAndAppendsOnARecordBoundary) {
    ScratchDirectory dir;
    auto file = dir / "message.ini";
    Write(file, Record({{0, "a"}, {20, "YES"}}, 24) + "torn");
    EXPECT_FALSE(SetSkipsQuestion(file, std::string(20, 'x'), true));
    ASSERT_TRUE(SetSkipsQuestion(file, "b", true));
    EXPECT_EQ(FileBytes(file), Record({{0, "a"}, {20, "YES"}}, 24) + Record({{0, "b"}, {20, "YES"}}, 24));
}

TEST(UrlFileTest, UsesTheStoredAddressOnlyWhenEnabledAndNotEmpty) {
    ScratchDirectory dir;
    auto file = dir / "url.ini";
    EXPECT_EQ(HomePageAddress(ReadHomePage(file)), kDefaultHomePage);
    Write(file, "http://a.example/^YES^\r\nignored\r\n");
    EXPECT_EQ(HomePageAddress(ReadHomePage(file)), "http://a.example/");
    Write(file, "http://a.example/^NO^");
    EXPECT_EQ(HomePageAddress(ReadHomePage(file)), kDefaultHomePage);
    Write(file, "^YES^");
    EXPECT_EQ(HomePageAddress(ReadHomePage(file)), kDefaultHomePage);
}

TEST(UrlFileTest, WritesTheLineOverTheStartWithoutShorteningTheFile) {
    ScratchDirectory dir;
    auto file = dir / "url.ini";
    EXPECT_EQ(HomePageLine({"", true}), std::string(kDefaultHomePage) + "^NO^");
    ASSERT_TRUE(WriteHomePage(file, HomePageLine({"http://long.example/page/", true})));
    ASSERT_TRUE(WriteHomePage(file, HomePageLine({"http://b.example/", true})));
    EXPECT_EQ(FileBytes(file), "http://b.example/^YES^ge/^YES^");
    auto read = ReadHomePage(file);
    EXPECT_EQ(read->address, "http://b.example/");
    EXPECT_TRUE(read->enabled);
}

TEST(ConnectFileTest, AppendsAndFindsCommandRecords) {
    ScratchDirectory dir;
    auto file = dir / "connect.ini";
    std::string command = ClientCommandLine("C:\\게임\\client.exe", "");
    EXPECT_EQ(command, "\"C:\\게임\\client.exe\" ");
    ASSERT_EQ(AppendClientProgram(file, "게임방", command), StoreResult::kStored);
    ASSERT_EQ(AppendClientProgram(file, "other", "\"x.exe\" "), StoreResult::kStored);
    EXPECT_EQ(FileBytes(file), Record({{0, "게임방"}, {12, command}}, 140) + Record({{0, "other"}, {12, "\"x.exe\" "}}, 140));
    EXPECT_EQ(FindClientProgram(file, "게임방"), command);
    EXPECT_FALSE(FindClientProgram(file, "none"));
    EXPECT_EQ(AppendClientProgram(file, "twelve bytes", command), StoreResult::kTooLong);
    EXPECT_EQ(AppendClientProgram(file, "x", ClientCommandLine(std::string(126, 'p'), "")), StoreResult::kTooLong);
    EXPECT_EQ(FileBytes(file).size(), 280u);
    EXPECT_EQ(AppendClientProgram(dir / "missing" / "connect.ini", "x", command), StoreResult::kUnwritable);
}

} // namespace
} // namespace dialer
