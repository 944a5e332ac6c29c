#include "gatelog/new_server.h"

#include <gtest/gtest.h>

#include "tests/unit/support/scratch_directory.h"
#include "gatelog/strip_blanks.h"

namespace gatelog {
namespace {

TEST(StripBlanks, RemovesEveryBlankButKeepsTabs) {
    std::string text = "  서버 이름\tA  B ";
    EXPECT_EQ(StripBlanks(text), 11u);
    EXPECT_EQ(text, "서버이름\tAB");

    std::string blanks = "    ";
    EXPECT_EQ(StripBlanks(blanks), 0u);
    EXPECT_EQ(blanks, "");
}

TEST(CleanNewServer, StripsThenCutsToTheRecordFields) {
    ServerEntry entry = CleanNewServer(" my server ", " 127.0.0.1 ");
    EXPECT_EQ(entry, (ServerEntry{"myserver", "127.0.0.1"}));

    // 31 Hangul syllables are 62 bytes: the cut keeps 30 whole ones.
    std::string hangul;
    for (int i = 0; i < 31; ++i) hangul += "가";
    ServerEntry longEntry = CleanNewServer(hangul, std::string(300, 'a'));
    EXPECT_EQ(longEntry.name.size(), 60u);
    EXPECT_EQ(longEntry.name, hangul.substr(0, 60));
    EXPECT_EQ(longEntry.address.size(), 255u);
    EXPECT_TRUE(EncodeServerRecord(longEntry.name, longEntry.address));
}

class RefuseNewServerTest : public ::testing::Test {
protected:
    test_support::ScratchDirectory dir;
    const std::filesystem::path file = dir / "bnet.ini";
};

TEST_F(RefuseNewServerTest, ChecksNameThenAddressThenDuplicates) {
    AppendServerRecord(file, "local", "127.0.0.1");
    EXPECT_EQ(RefuseNewServer({"", ""}, file), kNameMissing);
    EXPECT_EQ(RefuseNewServer({"", "127.0.0.1"}, file), kNameMissing);
    EXPECT_EQ(RefuseNewServer({"x", ""}, file), kAddressMissing);
    EXPECT_EQ(RefuseNewServer({"x", "127.0.0.1"}, file), kAddressExists);
    EXPECT_EQ(RefuseNewServer({"local", "127.0.0.2"}, file), std::nullopt) << "names need not be unique";
}

TEST_F(RefuseNewServerTest, BlankOnlyInputIsEmptyAfterCleaning) {
    EXPECT_EQ(RefuseNewServer(CleanNewServer("   ", "a"), file), kNameMissing);
    EXPECT_EQ(RefuseNewServer(CleanNewServer("n", "   "), file), kAddressMissing);
}

TEST(StoreFailureText, NamesEachFailure) {
    EXPECT_EQ(StoreFailureText(AppendResult::kStored), std::nullopt);
    EXPECT_EQ(StoreFailureText(AppendResult::kCreateFailed), "화일생성실패");
    EXPECT_EQ(StoreFailureText(AppendResult::kWriteFailed), "화일기록실패");
}

} // namespace
} // namespace gatelog
