#include "common/config_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

namespace {

TEST(LinePieces, LineEndsAreRemovedWhateverTheirForm) {
    auto pieces = config::SplitLinePieces("a b\nc d\r\nlast");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], "a b");
    EXPECT_EQ(pieces[1], "c d");
    EXPECT_EQ(pieces[2], "last");  // no line feed at the end of the file
}

TEST(LinePieces, LongLineIsReadAsPiecesOf511Bytes) {
    std::string second = "[CHATADDR] host 9";
    std::string line = std::string(511, 'x') + second;
    auto pieces = config::SplitLinePieces(line + "\nnext\n");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), 511u);
    EXPECT_EQ(pieces[1], second);
    EXPECT_EQ(config::FirstWord(pieces[1]), "[CHATADDR]");
    EXPECT_EQ(pieces[2], "next");
}

TEST(LinePieces, EmptyLinesStayAsEmptyPieces) {
    auto pieces = config::SplitLinePieces("\n\nx\n");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], "");
    EXPECT_EQ(pieces[2], "x");
}

TEST(WholeFile, MissingFileAndFolderAreNoFile) {
    auto folder = std::filesystem::temp_directory_path();
    EXPECT_FALSE(config::ReadWholeFile(folder));
    EXPECT_FALSE(config::ReadLinePieces(folder / "no-such-file-here.ini"));
}

TEST(LineScanner, ReadsWordsAndNumbersLikeScanf) {
    config::LineScanner scan("  [FTPADDR]\t10 0  -0 +1");
    std::string tag;
    int a = 9, b = 9, c = 9, d = 9;
    EXPECT_TRUE(scan.Word(tag));
    EXPECT_TRUE(scan.Number(a) && scan.Number(b) && scan.Number(c) && scan.Number(d));
    EXPECT_EQ(tag, "[FTPADDR]");
    EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{10, 0, 0, 1}));
}

TEST(LineScanner, FailedConversionLeavesItAndAllLaterTargetsAlone) {
    config::LineScanner scan("[X] 12abc 7");
    std::string tag;
    int first = -1, second = -1, third = -1;
    scan.Word(tag);
    EXPECT_TRUE(scan.Number(first));
    EXPECT_EQ(first, 12);
    EXPECT_FALSE(scan.Number(second));  // "abc" is no number
    EXPECT_FALSE(scan.Number(third));   // scanning stopped at the failure
    EXPECT_EQ(second, -1);
    EXPECT_EQ(third, -1);
}

TEST(LineScanner, MissingValuesKeepWhatTheyHeld) {
    config::LineScanner scan("[CHATADDR] host");
    std::string tag, host = "old";
    int port = 4000;
    EXPECT_TRUE(scan.Word(tag) && scan.Word(host));
    EXPECT_FALSE(scan.Number(port));
    EXPECT_EQ(host, "host");
    EXPECT_EQ(port, 4000);
}

TEST(LineScanner, HugeNumbersSaturateInsteadOfOverflowing) {
    config::LineScanner scan("99999999999999999999 -99999999999999999999");
    int high = 0, low = 0;
    EXPECT_TRUE(scan.Number(high) && scan.Number(low));
    EXPECT_EQ(high, INT_MAX);
    EXPECT_EQ(low, INT_MIN);
}

TEST(LineScanner, TextAfterANulIsNotRead) {
    std::string line("[A] 1", 5);
    line += std::string("\0 2", 3);
    config::LineScanner scan(line);
    std::string tag;
    int one = 0, two = 0;
    EXPECT_TRUE(scan.Word(tag) && scan.Number(one));
    EXPECT_FALSE(scan.Number(two));
}

TEST(FirstWord, TagGluedToTheNextCharacterIsAnotherWord) {
    EXPECT_EQ(config::FirstWord("[CHATADDR]x 1 2"), "[CHATADDR]x");
    EXPECT_EQ(config::FirstWord("   "), "");
}

TEST(SplitFields, SplitsOnEveryCaretFromTheLeft) {
    EXPECT_EQ(config::SplitFields("a^b^^d"), (std::vector<std::string>{"a", "b", "", "d"}));
    EXPECT_EQ(config::SplitFields("plain"), (std::vector<std::string>{"plain"}));
}

TEST(DottedAddress, JoinsBytesAndRefusesOutOfRange) {
    EXPECT_EQ(config::DottedAddress(192, 168, 0, 1), "192.168.0.1");
    EXPECT_FALSE(config::DottedAddress(256, 0, 0, 1));
    EXPECT_FALSE(config::DottedAddress(1, -1, 0, 1));
}

} // namespace
