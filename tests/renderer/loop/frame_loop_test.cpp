// The frame loop's decisions on a pass with no message waiting, drawn into
// Mesa's off-screen renderer.

#include <gtest/gtest.h>

#include "frame_loop.h"
#include "offscreen_gl.h"
#include "scene.h"

TEST(FrameLoop, DrawsOnlyWhileActiveAndEndsWhileEscapeIsHeld)
{
    OffscreenGl gl(64, 48);
    ASSERT_TRUE(gl.Ok());
    StepPacer pacer(kStepMicroseconds);
    int64_t now = 0;
    // The first frame shows the storm as it starts, the second one step on.
    const auto pass = [&] {
        const bool goOn = RunIdlePass(pacer, now);
        now += kStepMicroseconds;
        return goOn;
    };
    ASSERT_TRUE(pass());
    const float start = g_slideOffset;

    g_active = false; // minimised: no frame, the storm stands, the loop goes on
    EXPECT_TRUE(pass());
    EXPECT_EQ(g_slideOffset, start);
    g_active = true; // a step a frame
    EXPECT_TRUE(pass());
    EXPECT_GT(g_slideOffset, start);

    SetKeyHeld(1000, true); // past the table: ignored
    EXPECT_TRUE(pass());
    SetKeyHeld(kEscapeKey, true);
    EXPECT_FALSE(pass());
    g_active = false;
    EXPECT_FALSE(pass());
    SetKeyHeld(kEscapeKey, false);
    EXPECT_TRUE(pass());
}
