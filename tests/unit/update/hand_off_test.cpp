#include "update/hand_off.h"

#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

namespace update {
namespace {

using test_support::FileBytes;
using test_support::ScratchDirectory;
using test_support::WriteBytes;

const std::string kTenZeros(hand_off::kFlagSize, '\0');

TEST(WriteEndTransfer, LeavesExactlyTheWordWhateverTheFileHeld) {
    ScratchDirectory dir;
    auto file = dir.Path() / "EndTransfer.ini";
    for (const std::string& before : {kTenZeros, std::string(40, 'x')}) {
        for (std::string_view word : {hand_off::kUpdated, hand_off::kNothingToUpdate, hand_off::kRestartWanted}) {
            WriteBytes(file, before);
            ASSERT_TRUE(WriteEndTransfer(file, word));
            EXPECT_EQ(FileBytes(file), word) << before;
        }
    }
    std::filesystem::remove(file);
    ASSERT_TRUE(WriteEndTransfer(file, hand_off::kUpdated));
    EXPECT_EQ(FileBytes(file), "UPDATE");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "nothing left beside it";
}

TEST(WriteEndTransfer, RefusesWhatDoesNotFit) {
    ScratchDirectory dir;
    auto file = dir.Path() / "EndTransfer.ini";
    WriteBytes(file, "UPDATE");
    EXPECT_FALSE(WriteEndTransfer(file, "TENLETTERS"));
    EXPECT_EQ(FileBytes(file), "UPDATE");
    EXPECT_FALSE(WriteEndTransfer(dir.Path() / "missing" / "EndTransfer.ini", hand_off::kUpdated));
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
