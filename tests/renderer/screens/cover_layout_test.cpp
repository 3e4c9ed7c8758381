#include <gtest/gtest.h>

#include <ostream>

#include "cover_layout.h"

std::ostream& operator<<(std::ostream& out, const ScreenRect& rect)
{
    return out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom
               << ")";
}

namespace {

const ScreenRect kPrimary = {0, 0, 1024, 768};

using Rects = std::vector<ScreenRect>;

} // namespace

TEST(CoverLayout, EveryMonitorButThePrimaryIsCoveredWhole)
{
    const struct {
        const char* layout;
        Rects monitors;
        Rects covers;
    } cases[] = {
        {"one monitor", {kPrimary}, {}},
        {"right of it", {kPrimary, {1024, 0, 1824, 600}}, {{1024, 0, 1824, 600}}},
        {"left of it", {{-800, 0, 0, 600}, kPrimary}, {{-800, 0, 0, 600}}},
        {"above and below it",
         {{0, -1080, 1920, 0}, kPrimary, {-200, 768, 1080, 2688}},
         {{0, -1080, 1920, 0}, {-200, 768, 1080, 2688}}},
        {"the same monitor listed twice",
         {kPrimary, {1024, 0, 1824, 600}, {1024, 0, 1824, 600}},
         {{1024, 0, 1824, 600}}},
    };
    for (const auto& item : cases)
        EXPECT_EQ(CoverRects(item.monitors, kPrimary), item.covers) << item.layout;
}

TEST(CoverLayout, CoversNeverLieOverThePrimary)
{
    // A clone of the primary, and a larger monitor that shares its corner:
    // only what lies outside the primary is covered.
    EXPECT_EQ(CoverRects({kPrimary, kPrimary}, kPrimary), Rects{});
    EXPECT_EQ(CoverRects({{0, 0, 1280, 1024}}, kPrimary),
              (Rects{{0, 768, 1280, 1024}, {1024, 0, 1280, 768}}));
    EXPECT_EQ(CoverRects({{-100, -100, 1100, 800}}, kPrimary), (Rects{{-100, -100, 1100, 0},
                                                                      {-100, 768, 1100, 800},
                                                                      {-100, 0, 0, 768},
                                                                      {1024, 0, 1100, 768}}));
}

TEST(CoverLayout, OnlyAMonitorWhollyOutsideThePrimaryHasAStormOfItsOwn)
{
    EXPECT_TRUE(HasStormPlace({1024, 0, 1824, 600}, kPrimary));
    EXPECT_TRUE(HasStormPlace({-800, -100, 0, 600}, kPrimary));
    EXPECT_FALSE(HasStormPlace(kPrimary, kPrimary));
    EXPECT_FALSE(HasStormPlace({1000, 0, 1800, 600}, kPrimary));
    EXPECT_FALSE(HasStormPlace({1024, 0, 1024, 600}, kPrimary));
}

TEST(CoverLayout, LayoutChangeKeepsWhatStillFitsAndMovesTheRest)
{
    const ScreenRect right = {1024, 0, 1824, 600};
    const ScreenRect below = {0, 768, 800, 1368};
    const ScreenRect left = {-800, 0, 0, 600};

    // Side by side turned stacked: the cover moves, nothing is made or lost.
    CoverChange change = PlanCoverChange({right}, {below});
    EXPECT_EQ(change.kept, (std::vector<std::optional<ScreenRect>>{below}));
    EXPECT_EQ(change.added, Rects{});

    // A monitor more: the cover there stays put, one is made.
    change = PlanCoverChange({right}, {left, right});
    EXPECT_EQ(change.kept, (std::vector<std::optional<ScreenRect>>{right}));
    EXPECT_EQ(change.added, Rects{left});

    // A monitor fewer: the cover over the one left stays, the other goes.
    change = PlanCoverChange({left, right}, {right});
    EXPECT_EQ(change.kept, (std::vector<std::optional<ScreenRect>>{std::nullopt, right}));
    EXPECT_EQ(change.added, Rects{});

    // The first placing makes them all; unplugging all but the primary ends them.
    EXPECT_EQ(PlanCoverChange({}, {left, right}).added, (Rects{left, right}));
    EXPECT_EQ(PlanCoverChange({left, right}, {}).kept,
              (std::vector<std::optional<ScreenRect>>{std::nullopt, std::nullopt}));
}
