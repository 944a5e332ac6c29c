#include "update/change_list.h"

#include <gtest/gtest.h>

namespace update {
namespace {

ChangeEntry Entry(Section section, std::string name) { return {section, std::move(name)}; }

TEST(ParseChangeList, SectionsDecideTheTargetDirectory) {
    ChangeList list = ParseChangeList("[UTIL]\none.dll\ntwo.exe\n[MEDIA]\nbg.bmp\n[SCRIPT]\r\n망.scp\r\n[CONFIG]\nurl.ini");
    ASSERT_EQ(list.entries.size(), 5u);
    EXPECT_EQ(list.entries[0], Entry(Section::kUtil, "one.dll"));
    EXPECT_EQ(list.entries[1], Entry(Section::kUtil, "two.exe"));
    EXPECT_EQ(list.entries[2], Entry(Section::kMedia, "bg.bmp"));
    EXPECT_EQ(list.entries[3], Entry(Section::kScript, "망.scp"));
    EXPECT_EQ(list.entries[4], Entry(Section::kConfig, "url.ini"));
    EXPECT_EQ(SectionDirectory(Section::kScript), "script");
    EXPECT_EQ(SectionDirectory(Section::kNone), "");
}

TEST(ParseChangeList, WordIsTextBeforeCaretElseFirstWord) {
    ChangeList list = ParseChangeList("[UTIL]\nmy file.dll^1999^size\n  spaced.exe trailing words\n[MEDIA]^x\nclip.avi\n");
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[0].name, "my file.dll");
    EXPECT_EQ(list.entries[1].name, "spaced.exe");
    EXPECT_EQ(list.entries[2], Entry(Section::kMedia, "clip.avi"));
}

TEST(ParseChangeList, CountAndRestart) {
    EXPECT_FALSE(ParseChangeList("[UTIL]\na.dll\n").fileCount);
    EXPECT_FALSE(ParseChangeList("[UTIL]\na.dll\n").restart);
    EXPECT_EQ(kDefaultFileCount, 10);

    ChangeList list = ParseChangeList("[NUMBER] 7\n[RESTART]\n[UTIL]\na.dll\n[NUMBER]\t3\n");
    EXPECT_EQ(list.fileCount, 3);  // the last line counts
    EXPECT_TRUE(list.restart);
    ASSERT_EQ(list.entries.size(), 1u);

    // A count line without a number changes nothing.
    EXPECT_EQ(ParseChangeList("[NUMBER] 4\n[NUMBER] many\n").fileCount, 4);
}

TEST(ParseChangeList, SkipsBlankLinesAndOtherTags) {
    ChangeList list = ParseChangeList("\n[UTIL]\n\n   \n[VERSION] 3\n[util]\nx.dll\n\r\n");
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0], Entry(Section::kUtil, "x.dll"));
}

TEST(ParseChangeList, FileBeforeFirstSectionHasNone) {
    ChangeList list = ParseChangeList("stray.dll\n[UTIL]\nok.dll\n");
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_FALSE(IsInstallable(list.entries[0]));
    EXPECT_TRUE(IsInstallable(list.entries[1]));
}

TEST(ParseChangeList, LongLineIsReadInPieces) {
    // A 600-byte line arrives as a 511-byte piece and the rest.
    ChangeList list = ParseChangeList("[UTIL]\n" + std::string(511, 'a') + "tail.dll\n");
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[1].name, "tail.dll");
}

TEST(IsPlainFileName, RefusesWhatLeavesTheDirectory) {
    for (const char* name : {"..\\evil.dll", "../evil.dll", "..", "...", ". .", "c:evil.dll", "C:\\evil.dll",
                             "\\evil.dll", "/evil.dll", "sub/x.dll", "sub\\x.dll", "x.dll:stream", ".", "a.dll.",
                             "a.dll "}) {
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    }
}

TEST(IsPlainFileName, RefusesDevicesAndBadCharacters) {
    for (const char* name : {"CON", "nul.txt", "Com1", "LPT9.dll", "aux .ini", "a*b", "a?b", "a|b", "a<b",
                             "a>b", "a\"b", "tab\tname", ""}) {
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    }
}

TEST(IsPlainFileName, AcceptsOrdinaryNames) {
    for (const char* name : {"Client.exe", "bg.bmp", "filecopy.avi", "다락.scp", "COM10.dll", "console.ini",
                             "a.b.c", "x", "my file.dll", ".hidden", "read..me.txt", "a..b"}) {
        EXPECT_TRUE(IsPlainFileName(name)) << name;
    }
}

} // namespace
} // namespace update
