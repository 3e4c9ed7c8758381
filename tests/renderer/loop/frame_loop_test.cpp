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
    const float start = g_slideOffset;

    g_active = false; // minimised: no frame, the loop goes on
    EXPECT_TRUE(RunIdlePass());
    EXPECT_EQ(g_slideOffset, start);
    g_active = true; // one animation step per frame
    EXPECT_TRUE(RunIdlePass());
    EXPECT_GT(g_slideOffset, start);

    SetKeyHeld(1000, true); // past the table: ignored
    EXPECT_TRUE(RunIdlePass());
    SetKeyHeld(kEscapeKey, true);
    EXPECT_FALSE(RunIdlePass());
    g_active = false;
    EXPECT_FALSE(RunIdlePass());
    SetKeyHeld(kEscapeKey, false);
    EXPECT_TRUE(RunIdlePass());
}
