#include "dialer/access_items.h"
#include "dialer/skin_layout.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dialer {
namespace {

TEST(SkinLayoutTest, ReadsTheSixPartsAndTheNameServers) {
    SkinLayout layout = ParseSkinLayout({
        "[CHATADDR] 127.0.0.1 9400",
        "버튼1 240 20 50 50 media\\help.avi",
        "버튼2 250 230 50 50 media\\connect.bmp",
        "버튼5 70 230 50",
        "다이얼로그 300 400 346 300 media\\back.bmp",
        "[DNSADDR] 10 0 0 1",
        "[DNSSUBADDR] 10 0 0",
    });
    EXPECT_TRUE(layout.read);
    ASSERT_TRUE(layout.parts[kHelpPart]);
    EXPECT_EQ(layout.parts[kHelpPart]->file, "media\\help.avi");
    ASSERT_TRUE(layout.parts[kConnectPart]);
    EXPECT_EQ(layout.parts[kConnectPart]->x, 250);
    EXPECT_EQ(layout.parts[kConnectPart]->height, 50);
    EXPECT_FALSE(layout.parts[kQuitPart]);  // a line short of its file name
    EXPECT_FALSE(layout.parts[kSettingsPart]);
    ASSERT_TRUE(layout.parts[kWindowPart]);
    EXPECT_EQ(layout.parts[kWindowPart]->width, 346);
    EXPECT_EQ(layout.dnsPrimary, (net::Ipv4Address{10, 0, 0, 1}));
    EXPECT_EQ(layout.dnsSecondary, (net::Ipv4Address{}));  // a missing octet gives none
    EXPECT_FALSE(ReadSkinLayout("/nonexistent/position.ini").read);
}

std::vector<AccessItem> Items(std::initializer_list<const char*> names) {
    std::vector<AccessItem> items;
    for (const char* name : names) items.push_back({name, "game", "", ""});
    return items;
}

TEST(ItemMenuTest, OffersAChoiceOnlyBetweenTwoOrMoreItems) {
    ItemMenuPlan two = PlanItemMenu(Items({"인터넷", "게임방"}));
    EXPECT_TRUE(two.show);
    EXPECT_EQ(two.entries, (std::vector<std::string>{"인터넷", "게임방"}));
    EXPECT_FALSE(two.reserve);

    ItemMenuPlan one = PlanItemMenu(Items({"게임방"}));
    EXPECT_FALSE(one.show);
    EXPECT_TRUE(one.reserve);
    EXPECT_EQ(one.onlyItem, "게임방");

    ItemMenuPlan none = PlanItemMenu(Items({}));
    EXPECT_FALSE(none.show);
    EXPECT_TRUE(none.reserve);
    EXPECT_FALSE(none.onlyItem);

    ItemMenuPlan unreadable = PlanItemMenu(std::nullopt);
    EXPECT_TRUE(unreadable.show);
    EXPECT_TRUE(unreadable.entries.empty());
    EXPECT_FALSE(unreadable.reserve);
}

TEST(AccessItemsTest, ReadsTheFieldsOfEveryNonEmptyLine) {
    test_support::ScratchDirectory dir;
    std::ofstream(dir / "filelist.ini", std::ios::binary)
        << "인터넷^internet^웹을 엽니다.^iexplore.exe\r\n\r\n게임방^game\r\n";
    auto items = ReadAccessItems(dir / "filelist.ini");
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 2u);
    EXPECT_EQ((*items)[0].kind, "internet");
    EXPECT_EQ((*items)[0].question, "웹을 엽니다.");
    EXPECT_EQ((*items)[0].program, "iexplore.exe");
    EXPECT_EQ((*items)[1].name, "게임방");
    EXPECT_EQ((*items)[1].program, "");
}

} // namespace
} // namespace dialer
