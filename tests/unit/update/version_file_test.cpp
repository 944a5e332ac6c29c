#include "update/version_file.h"

#include <gtest/gtest.h>

#include <string>

namespace update {
namespace {

TEST(VersionLine, TenCharactersAndLineFeedCompareWhole) {
    EXPECT_EQ(VersionLine("1999.12.01\n[CONTENT]\nnew\n"), VersionLine("1999.12.01\nother text\n"));
    EXPECT_NE(VersionLine("1999.12.01\n"), VersionLine("1999.12.02\n"));
    // No cut after ten characters: an eleventh that differs still counts.
    EXPECT_NE(VersionLine("1999.12.01a\n"), VersionLine("1999.12.01b\n"));
    EXPECT_NE(VersionLine("1999.12.01\n"), VersionLine("1999.12.011\n"));
}

TEST(VersionLine, LineEndsDoNotMakeVersionsDiffer) {
    // A text transfer delivers CR LF; the local copy may have LF or none.
    EXPECT_EQ(VersionLine("v2.0\r\nx"), "v2.0");
    EXPECT_EQ(VersionLine("v2.0\n"), VersionLine("v2.0"));
    EXPECT_EQ(VersionLine(""), "");
    EXPECT_NE(VersionLine("v2.0 \n"), VersionLine("v2.0\n"));
}

TEST(OfferText, LinesAfterContentTag) {
    EXPECT_EQ(OfferText("1.1\n[CONTENT]\n새 기능\n두 줄\n"), "새 기능\n두 줄");
    EXPECT_EQ(OfferText("1.1\r\nnotes\r\n[CONTENT]\r\nA\r\nB"), "A\nB");
    EXPECT_EQ(OfferText("1.1\n[CONTENT]\n"), "");
    EXPECT_EQ(OfferText("1.1\n[CONTENT]\n\nafter blank\n"), "\nafter blank");
}

TEST(OfferText, NoExactTagGivesNothing) {
    EXPECT_EQ(OfferText("1.1\ntext\n"), "");
    EXPECT_EQ(OfferText("1.1\n[CONTENT] \ntext\n"), "");
    EXPECT_EQ(OfferText("1.1\n[content]\ntext\n"), "");
    EXPECT_EQ(OfferText(""), "");
}

TEST(OfferText, CutToItsBufferWithoutSplittingHangul) {
    std::string longLine(kMaxOfferText - 1, 'a');
    std::string text = OfferText("1\n[CONTENT]\n" + longLine + "가나\n");
    // 510 bytes and a two-byte syllable do not fit 511: the syllable goes whole.
    EXPECT_EQ(text, longLine);
    std::string many;
    for (int i = 0; i < 100; ++i) many += "0123456789\n";
    EXPECT_EQ(OfferText("1\n[CONTENT]\n" + many).size(), kMaxOfferText);
}

} // namespace
} // namespace update
