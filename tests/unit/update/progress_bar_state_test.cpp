#include "update/progress_bar_state.h"

#include <gtest/gtest.h>

namespace update {
namespace {

TEST(ProgressBarState, ThreeOfTenFillsThirtyPercent) {
    ProgressBarState bar;
    EXPECT_EQ(bar.Label(), "0%");
    bar.SetRange(0, 10);
    EXPECT_EQ(bar.SetPosition(3), 0);
    EXPECT_EQ(bar.Label(), "30%");
    EXPECT_EQ(bar.FilledWidth(243), 72);  // 72.9 truncated
    EXPECT_EQ(bar.FilledWidth(200), 60);
}

TEST(ProgressBarState, BeyondTheUpperEndIsNotClamped) {
    ProgressBarState bar;
    bar.SetRange(0, 10);
    bar.SetPosition(11);
    EXPECT_EQ(bar.Label(), "110%");
    EXPECT_EQ(bar.FilledWidth(200), 200);
    bar.SetPosition(-1);
    EXPECT_EQ(bar.Label(), "-10%");
    EXPECT_EQ(bar.FilledWidth(200), 0);
}

TEST(ProgressBarState, EmptyRangeDrawsNothing) {
    ProgressBarState bar;
    bar.SetRange(0, 0);
    bar.SetPosition(1);
    EXPECT_FALSE(bar.HasRange());
    EXPECT_EQ(bar.FilledWidth(200), 0);
    bar.SetRange(5, 2);
    EXPECT_FALSE(bar.HasRange());
    bar.SetRange(2, 5);
    EXPECT_TRUE(bar.HasRange());
}

TEST(ProgressBarState, PercentIsExactNotFloatingPoint) {
    ProgressBarState bar;
    bar.SetPosition(29);
    EXPECT_EQ(bar.Label(), "29%");
    bar.SetRange(0, 3);
    bar.SetPosition(2);
    EXPECT_EQ(bar.Label(), "66%");
    bar.SetRange(-2147483647, 2147483647);
    bar.SetPosition(2147483647);
    EXPECT_EQ(bar.Label(), "100%");
}

TEST(ProgressBarState, StepAddsTheStep) {
    ProgressBarState bar;
    bar.SetRange(0, 4);
    EXPECT_EQ(bar.Step(), 0);
    EXPECT_EQ(bar.Step(), 1);
    bar.SetStep(2);
    bar.Step();
    EXPECT_EQ(bar.Position(), 4);
    EXPECT_EQ(bar.Label(), "100%");
}

TEST(ProgressBarState, TextReplacesPercentAndRepaintsOnlyOnChange) {
    ProgressBarState bar;
    EXPECT_TRUE(bar.SetText("받는 중"));
    EXPECT_EQ(bar.Label(), "받는 중");
    EXPECT_FALSE(bar.SetText("받는 중"));
    EXPECT_TRUE(bar.SetText(""));
    EXPECT_EQ(bar.Label(), "0%");
    EXPECT_FALSE(bar.SetText(""));
}

TEST(ProgressBarState, RedrawsWhenTheFillMoves) {
    ProgressBarState bar;
    bar.SetRange(0, 100);
    EXPECT_TRUE(bar.TakeRedraw(50));   // the first time always
    EXPECT_FALSE(bar.TakeRedraw(50));
    bar.SetPosition(1);                // 0.5 px: the fill has not moved
    EXPECT_FALSE(bar.TakeRedraw(50));
    bar.SetPosition(2);
    EXPECT_TRUE(bar.TakeRedraw(50));
    bar.SetPosition(150);
    EXPECT_TRUE(bar.TakeRedraw(50));
    bar.SetPosition(160);              // past the edge the label still changes
    EXPECT_TRUE(bar.TakeRedraw(50));
    bar.ForgetLastWidth();
    EXPECT_TRUE(bar.TakeRedraw(50));
}

} // namespace
} // namespace update
