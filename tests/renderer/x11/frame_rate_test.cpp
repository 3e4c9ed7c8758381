// The frame rate's figures and their text, drawn off-screen.

#include <gtest/gtest.h>

#include <GL/gl.h>

#include "frame_rate_meter.h"
#include "offscreen_gl.h"
#include "overlay_text.h"

TEST(FrameRate, FiguresCoverAboutASecondEach)
{
    FrameRateMeter meter(0);
    // 60 frames in a second, a step each, 123 ms of it spent drawing.
    for (int frame = 1; frame < 60; ++frame)
        EXPECT_FALSE(meter.CountFrame(frame * 1000000 / 60, 2050, frame));
    ASSERT_TRUE(meter.CountFrame(1000000, 123000 - 59 * 2050, 60));
    EXPECT_EQ(FrameRateText(meter.reading()), "FPS: 60.0\nLoad: 12.3%");
    EXPECT_EQ(meter.reading().stepsPerSecond, 60);

    // The next second starts afresh: 30 frames of two steps, drawing all the
    // time.
    for (int frame = 1; frame < 30; ++frame)
        EXPECT_FALSE(meter.CountFrame(1000000 + frame * 1000000 / 30, 33334, 60 + 2 * frame));
    ASSERT_TRUE(meter.CountFrame(2000000, 33334, 120));
    EXPECT_EQ(FrameRateText(meter.reading()), "FPS: 30.0\nLoad: 100.0%");
    EXPECT_EQ(meter.reading().stepsPerSecond, 60);
}

TEST(FrameRate, TextAppearsBottomLeftWhiteWithADarkOutlineOverAnyBackground)
{
    OffscreenGl gl(320, 240);
    ASSERT_TRUE(gl.Ok());
    glViewport(0, 0, gl.width(), gl.height());
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_FOG);
    for (float background : {1.0f, 0.0f}) {
        glClearColor(background, background, background, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawOverlayText("FPS: 60.0\nLoad: 12.3%");
        glFinish();

        const int backgroundLevel = background > 0 ? 255 : 0;
        int changed = 0, white = 0, dark = 0, outsideCorner = 0;
        for (int y = 0; y < gl.height(); ++y)
            for (int x = 0; x < gl.width(); ++x) {
                const uint8_t* pixel = gl.Pixel(x, y);
                if (pixel[0] == backgroundLevel && pixel[1] == backgroundLevel &&
                    pixel[2] == backgroundLevel)
                    continue;
                ++changed;
                white += pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
                dark += pixel[0] < 64 && pixel[1] < 64 && pixel[2] < 64;
                outsideCorner += x >= gl.width() / 2 || y >= gl.height() / 4;
            }
        EXPECT_GT(changed, 100) << background;
        EXPECT_EQ(outsideCorner, 0) << background;
        EXPECT_GT(background > 0 ? dark : white, 100) << background;
        // The lowest line starts at the margin, outlined.
        EXPECT_EQ(gl.Pixel(kOverlayMargin, kOverlayMargin)[1], 255) << background;
        EXPECT_EQ(gl.Pixel(kOverlayMargin - 1, kOverlayMargin - 1)[1], 0) << background;
    }
    // The scene's state is as it was.
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}
