#include "update/hand_off.h"

#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

namespace update {
namespace {

using test_support::FileBytes;
using test_support::ScratchDirectory;
using test_support::WriteBytes;

const std::string kTenZeros(kHandOffFlagSize, '\0');

TEST(WriteEndTransfer, EmptiesTheFileAndWritesOnlyTheWord) {
    ScratchDirectory dir;
    auto file = dir.Path() / "EndTransfer.ini";
    WriteBytes(file, kTenZeros);
    for (std::string_view word : {kUpdated, kNothingToUpdate, kRestartWanted}) {
        ASSERT_TRUE(WriteEndTransfer(file, word));
        EXPECT_EQ(FileBytes(file), word);
    }
}

TEST(WriteEndTransfer, RefusesWhatDoesNotFit) {
    ScratchDirectory dir;
    auto file = dir.Path() / "EndTransfer.ini";
    WriteBytes(file, "UPDATE");
    EXPECT_FALSE(WriteEndTransfer(file, "TENLETTERS"));
    EXPECT_EQ(FileBytes(file), "UPDATE");
    EXPECT_FALSE(WriteEndTransfer(dir.Path() / "missing" / "EndTransfer.ini", kUpdated));
}

TEST(TakeRestartGrant, GrantIsUsedUp) {
    ScratchDirectory dir;
    auto file = dir.Path() / "Receive.ini";
    WriteBytes(file, std::string("YES") + std::string(7, '\0'));
    EXPECT_TRUE(TakeRestartGrant(file));
    EXPECT_EQ(FileBytes(file), kTenZeros);
    EXPECT_FALSE(TakeRestartGrant(file));
}

TEST(TakeRestartGrant, FirstLineMustBeExactlyYes) {
    ScratchDirectory dir;
    auto file = dir.Path() / "Receive.ini";
    for (const std::string& content : {kTenZeros, std::string("NO"), std::string("YESS"), std::string("yes"),
                                       std::string(" YES"), std::string("YE"), "YES" + std::string(20, ' ')}) {
        WriteBytes(file, content);
        EXPECT_FALSE(TakeRestartGrant(file)) << content;
        EXPECT_EQ(FileBytes(file), content) << "a refused flag stays as it was";
    }
    for (const char* grant : {"YES\nmore", "YES\r\n"}) {
        WriteBytes(file, grant);
        EXPECT_TRUE(TakeRestartGrant(file)) << grant;
        EXPECT_EQ(FileBytes(file), kTenZeros);
    }
    EXPECT_FALSE(TakeRestartGrant(dir.Path() / "absent.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "absent.ini"));
}

} // namespace
} // namespace update
