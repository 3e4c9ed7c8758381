#include <gtest/gtest.h>

#include "dialog_rules.h"

TEST(DialogRules, KindEnablesItsOwnControls)
{
    const KindControls none = ControlsForKind(0);
    EXPECT_FALSE(none.repeatEnabled);
    EXPECT_FALSE(none.fileButtonEnabled);
    EXPECT_EQ(none.selectedIndicator, 0);

    const KindControls cd = ControlsForKind(1);
    EXPECT_TRUE(cd.repeatEnabled);
    EXPECT_FALSE(cd.fileButtonEnabled);
    EXPECT_EQ(cd.selectedIndicator, 1);

    const KindControls file = ControlsForKind(2);
    EXPECT_FALSE(file.repeatEnabled);
    EXPECT_TRUE(file.fileButtonEnabled);
    EXPECT_EQ(file.selectedIndicator, 2);

    for (int16_t other : {-1, 3, 7}) {
        const KindControls c = ControlsForKind(other);
        EXPECT_FALSE(c.repeatEnabled || c.fileButtonEnabled) << other;
        EXPECT_EQ(c.selectedIndicator, -1) << other;
    }
}

TEST(DialogRules, TrackTextsBothWays)
{
    EXPECT_EQ(TrackText(0), "");
    EXPECT_EQ(TrackText(12), "12");
    EXPECT_EQ(TrackText(30), "30");

    EXPECT_EQ(TrackFromText("12"), 12);
    EXPECT_EQ(TrackFromText("abc"), 0);
    EXPECT_EQ(TrackFromText("2.5"), 2);
    EXPECT_EQ(TrackFromText("3.5"), 4);
    EXPECT_EQ(TrackFromText(" 7 "), 7);
    EXPECT_EQ(TrackFromText(""), 0);
    EXPECT_EQ(TrackFromText("40000"), 0);
    EXPECT_EQ(TrackFromText("-2"), -2);
}

TEST(DialogRules, BandIsDarkAtTheEdgesAndLightInTheMiddle)
{
    const int height = 246;
    EXPECT_EQ(BandLevel(0, height), 0); // colour (0, 0, 30)
    EXPECT_NEAR(BandLevel(height / 2, height), 220, 1);
    EXPECT_LT(BandLevel(height, height), 5);
    for (int row = 1; row <= height / 2; ++row)
        EXPECT_GE(BandLevel(row, height), BandLevel(row - 1, height)) << row;
    EXPECT_EQ(BandLevel(0, 0), 0);
}
