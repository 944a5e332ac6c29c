#include "update/ftp_reply.h"

#include <gtest/gtest.h>

namespace update {
namespace {

TEST(SizeFromReply, ReadsTheLastLineOfASizeReply) {
    EXPECT_EQ(SizeFromReply("213 1048576"), 1048576u);
    EXPECT_EQ(SizeFromReply("213 0\r\n"), 0u);
    EXPECT_EQ(SizeFromReply("200 Type set to: Binary.\r\n213 40000\r\n"), 40000u);
    EXPECT_EQ(SizeFromReply("213 4294967296"), 4294967296u) << "past 32 bits";
}

TEST(SizeFromReply, AnythingElseIsNoSize) {
    for (const char* reply : {"", "213", "213 ", "213 12a", "213  12", "550 No such file or directory.",
                              "213 7\r\n550 SIZE not allowed in ASCII mode.", "2130 5", "213 99999999999999999999999"}) {
        EXPECT_FALSE(SizeFromReply(reply)) << reply;
    }
}

} // namespace
} // namespace update
