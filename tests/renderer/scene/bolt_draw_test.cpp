// The bolt drawn for real, into Mesa's off-screen renderer.

#include <gtest/gtest.h>

#include <algorithm>

#include "bolt.h"
#include "bolt_random.h"
#include "gl_headers.h"
#include "offscreen_gl.h"

namespace {

constexpr int kSize = 256;
// The view looks straight down -z at x from -20 to 20 and y from -1 to 15.
constexpr double kLeft = -20, kRight = 20, kBottom = -1, kTop = 15;

class BoltDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl_.Ok());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(kLeft, kRight, kBottom, kTop, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        g_boltRandomState = 1;
    }

    // A frame of the storm: the bolt drawn, then the step that fades it.
    void DrawFrame()
    {
        glClear(GL_COLOR_BUFFER_BIT);
        DrawBolt();
        glFinish();
        FadeFlash();
    }

    // Brightest red level in a 3 x 3 neighbourhood of scene point (x, y).
    int LevelNear(float x, float y) const
    {
        const int px = static_cast<int>((x - kLeft) / (kRight - kLeft) * kSize);
        const int py = static_cast<int>((y - kBottom) / (kTop - kBottom) * kSize);
        int level = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int qx = std::clamp(px + dx, 0, kSize - 1);
                const int qy = std::clamp(py + dy, 0, kSize - 1);
                level = std::max<int>(level, gl_.Pixel(qx, qy)[0]);
            }
        return level;
    }

    int Brightest() const
    {
        int level = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                level = std::max<int>(level, gl_.Pixel(x, y)[0]);
        return level;
    }

    // Every segment of `branch` shows at its middle.
    void ExpectBranchDrawn(int branch) const
    {
        for (int j = 0; j < g_branchLength[branch]; ++j) {
            const float* a = g_boltPoints[j][branch];
            const float* b = g_boltPoints[j + 1][branch];
            EXPECT_GT(LevelNear((a[0] + b[0]) / 2, (a[1] + b[1]) / 2), 0)
                << "branch " << branch << " segment " << j;
        }
    }

    OffscreenGl gl_{kSize, kSize};
};

} // namespace

TEST_F(BoltDrawTest, FlashIsDrawnOnSeventyOneFramesFadingFromFullBrightness)
{
    GrowBolt();
    int frames = 0;
    int level = 255;
    while (g_boltVisible) {
        DrawFrame();
        ++frames;
        const int drawn = Brightest();
        EXPECT_LE(drawn, level);
        level = drawn;
        if (frames == 1) {
            EXPECT_EQ(drawn, 255);
        }
        ASSERT_LE(frames, 100);
    }
    EXPECT_EQ(frames, 71);
    EXPECT_NEAR(level, 0.3 * 255, 1.5);
}

TEST_F(BoltDrawTest, EveryBranchIsDrawnToItsNewestPoint)
{
    GrowBolt();
    DrawFrame();
    for (int branch = 0; branch <= g_lastBranch; ++branch)
        ExpectBranchDrawn(branch);

    // The second bolt is a trunk alone.
    GrowBolt();
    ASSERT_EQ(g_lastBranch, 0);
    DrawFrame();
    ExpectBranchDrawn(0);
}

TEST_F(BoltDrawTest, BranchesAreNotJoinedToEachOther)
{
    // Two short branches far apart: each is drawn, nothing between them.
    const float points[2][2][3] = {{{-12, 5, 0}, {-8, 5, 0}}, {{8, 5, 0}, {12, 5, 0}}};
    for (int branch = 0; branch < 2; ++branch)
        for (int j = 0; j < 2; ++j)
            for (int axis = 0; axis < 3; ++axis)
                g_boltPoints[j][branch][axis] = points[branch][j][axis];
    g_branchLength[0] = g_branchLength[1] = 1;
    g_lastBranch = 1;
    g_flashBrightness = 1.0f;
    g_boltVisible = 1;

    DrawFrame();
    EXPECT_GT(LevelNear(-10, 5), 0);
    EXPECT_GT(LevelNear(10, 5), 0);
    for (float x = -6; x <= 6; x += 1)
        EXPECT_EQ(LevelNear(x, 5), 0) << "at x " << x;
}
