#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "bolt.h"
#include "bolt_random.h"

namespace {

// Starts the generator where a fresh renderer starts it.
class BoltTest : public ::testing::Test {
protected:
    void SetUp() override { g_boltRandomState = 1; }
};

int TrunkPoints()
{
    return g_branchLength[0] + 1;
}

const float* Point(int branch, int index)
{
    return g_boltPoints[index][branch];
}

bool SamePoint(const float* a, const float* b)
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// Every branch but the trunk starts on a point of an older branch.
void ExpectForksStartOnOlderBranches()
{
    for (int branch = 1; branch <= g_lastBranch; ++branch) {
        bool found = false;
        for (int parent = 0; parent < branch && !found; ++parent)
            for (int j = 0; j <= g_branchLength[parent] && !found; ++j)
                found = SamePoint(Point(branch, 0), Point(parent, j));
        EXPECT_TRUE(found) << "branch " << branch;
    }
}

} // namespace

TEST_F(BoltTest, GeneratorFollowsTheMicrosoftRuntimeFromStateOne)
{
    EXPECT_EQ(BoltRand(), 41);
    EXPECT_EQ(BoltRand(), 18467);
    EXPECT_EQ(BoltRand(), 6334);
}

TEST_F(BoltTest, FirstBoltsOfARunHaveTheirKnownShapes)
{
    GrowBolt();
    EXPECT_EQ(g_lastBranch + 1, 36);
    EXPECT_EQ(TrunkPoints(), 14);
    EXPECT_FLOAT_EQ(g_flashBrightness, 1.0f);
    EXPECT_NE(g_boltVisible, 0);
    ExpectForksStartOnOlderBranches();

    GrowBolt();
    EXPECT_EQ(g_lastBranch, 0);
    EXPECT_EQ(TrunkPoints(), 18);

    GrowBolt();
    GrowBolt();
    EXPECT_EQ(g_lastBranch + 1, kBoltBranches);
    EXPECT_EQ(TrunkPoints(), 18);
    ExpectForksStartOnOlderBranches();
}

namespace {

// A bolt of one point, the trunk's start, as growth begins.
void StartTrunk()
{
    for (int& length : g_branchLength)
        length = -1;
    g_branchLength[0] = 0;
    g_lastBranch = 0;
    g_boltPoints[0][0][0] = 0.0f;
    g_boltPoints[0][0][1] = 0.0f;
    g_boltPoints[0][0][2] = 20.0f;
}

uint32_t StateAfterDraws(uint32_t state, int draws)
{
    const uint32_t saved = g_boltRandomState;
    g_boltRandomState = state;
    for (int i = 0; i < draws; ++i)
        BoltRand();
    const uint32_t result = g_boltRandomState;
    g_boltRandomState = saved;
    return result;
}

} // namespace

TEST_F(BoltTest, FourthBoltDropsForksOnceAllBranchesExist)
{
    for (int i = 0; i < 4; ++i)
        GrowBolt();
    ASSERT_EQ(g_lastBranch, kBoltBranches - 1);

    // With every branch in use and none full, a pass draws four numbers per
    // branch, forks included, and still creates no branch.
    for (int pass = 0; pass < 5; ++pass) {
        const uint32_t expected = StateAfterDraws(g_boltRandomState, 4 * kBoltBranches);
        ExtendBranches();
        EXPECT_EQ(g_boltRandomState, expected);
        EXPECT_EQ(g_lastBranch, kBoltBranches - 1);
    }
}

TEST_F(BoltTest, BranchForkedInAPassGrowsAndForksInThatPass)
{
    // Find a generator state whose first pass forks the trunk and then forks
    // the new branch again.
    uint32_t state = 1;
    for (;; ++state) {
        StartTrunk();
        g_boltRandomState = state;
        ExtendBranches();
        if (g_lastBranch >= 2)
            break;
    }
    StartTrunk();
    g_boltRandomState = state;
    ExtendBranches();

    EXPECT_EQ(g_branchLength[0], 1);
    EXPECT_TRUE(SamePoint(Point(1, 0), Point(0, 1)));
    EXPECT_EQ(g_branchLength[1], 1);
    EXPECT_TRUE(SamePoint(Point(2, 0), Point(1, 1)));
    EXPECT_EQ(g_branchLength[2], 1);
    // The fork's growth was drawn after its parent's.
    EXPECT_FLOAT_EQ(Point(1, 1)[1], 0.4f);
    EXPECT_FLOAT_EQ(Point(2, 1)[1], 0.6f);
}

TEST_F(BoltTest, FullBranchSpendsItsThreeDrawsAndStays)
{
    StartTrunk();
    g_branchLength[0] = kBoltPoints - 1;
    const float before[3] = {Point(0, kBoltPoints - 1)[0], Point(0, kBoltPoints - 1)[1],
                             Point(0, kBoltPoints - 1)[2]};
    const uint32_t expected = StateAfterDraws(g_boltRandomState, 3);

    ExtendBranches();

    EXPECT_EQ(g_boltRandomState, expected);
    EXPECT_EQ(g_branchLength[0], kBoltPoints - 1);
    EXPECT_EQ(g_lastBranch, 0);
    EXPECT_TRUE(SamePoint(Point(0, kBoltPoints - 1), before));
}

TEST_F(BoltTest, GrowthEndsAtTheGroundOrWithAFullTrunk)
{
    StartTrunk();
    EXPECT_FALSE(BoltComplete());
    g_boltPoints[0][0][2] = 0.0f;
    EXPECT_TRUE(BoltComplete());

    // A full trunk still in the air can grow no further: growth must stop.
    g_boltPoints[kBoltPoints - 1][0][2] = 5.0f;
    g_branchLength[0] = kBoltPoints - 1;
    EXPECT_TRUE(BoltComplete());
}

TEST_F(BoltTest, FlashFadesOverSeventyOneFramesAndRestartsOnGrowth)
{
    GrowBolt();
    float last = 0.0f;
    int frames = 0;
    while (g_boltVisible) {
        last = g_flashBrightness;
        FadeFlash();
        ++frames;
        ASSERT_LE(frames, 100);
    }
    EXPECT_EQ(frames, 71);
    EXPECT_GT(last, 0.3f);
    EXPECT_LT(last, 0.31f);

    GrowBolt();
    for (int i = 0; i < 30; ++i)
        FadeFlash();
    GrowBolt();
    EXPECT_EQ(g_flashBrightness, 1.0f);
    EXPECT_NE(g_boltVisible, 0);
}

namespace {

// FNV-1a over the bits of every point of every branch, in table order.
uint64_t BoltFingerprint()
{
    uint64_t hash = 1469598103934665603ull;
    for (int i = 0; i <= g_lastBranch; ++i)
        for (int j = 0; j <= g_branchLength[i]; ++j)
            for (float coordinate : g_boltPoints[j][i]) {
                uint32_t bits;
                std::memcpy(&bits, &coordinate, sizeof bits);
                for (int b = 0; b < 4; ++b) {
                    hash ^= (bits >> (8 * b)) & 0xFF;
                    hash *= 1099511628211ull;
                }
            }
    return hash;
}

} // namespace

TEST_F(BoltTest, PointsAreRoundedExactlyAsEverRun)
{
    // Every coordinate of the first four bolts, to the bit: any change to the
    // order of the draws or to where the arithmetic rounds shows here.
    const uint64_t expected[4] = {12239261101863019682ull, 10360782003883437644ull,
                                  15996742649442785479ull, 8920151222354357162ull};
    for (uint64_t fingerprint : expected) {
        GrowBolt();
        EXPECT_EQ(BoltFingerprint(), fingerprint);
    }
}
