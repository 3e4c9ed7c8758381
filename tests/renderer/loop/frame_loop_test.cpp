// The frame loop's decisions on a pass with no message waiting, drawn into
// Mesa's off-screen renderer, on a made-up clock.

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

TEST(FrameLoop, FramesAndStepsASecondFollowWhatTheDisplayDoes)
{
    // Notice by notice, in this order: the frames and steps a second of the
    // next seconds on a 60 Hz display whose vertical sync holds each buffer
    // swap until its next refresh, each frame taking 2 ms to draw.
    const struct {
        const char* what;
        DisplayNotice notice;
        uint32_t value;
        double frames;
        double steps;
    } kNotices[] = {
        {"display off", DisplayNotice::Power, 0, 0, 0},
        {"display on", DisplayNotice::Power, 1, 60, 60},
        {"dimmed", DisplayNotice::Power, 2, 60, 60},
        {"energy saver, standard", DisplayNotice::EnergySaver, 1, 30, 60},
        {"energy saver, high savings", DisplayNotice::EnergySaver, 2, 30, 60},
        {"battery saver on too", DisplayNotice::BatterySaver, 1, 30, 60},
        {"energy saver off, battery saver on", DisplayNotice::EnergySaver, 0, 30, 60},
        {"display off while saving", DisplayNotice::Power, 0, 0, 0},
        {"display on, told in a value unknown", DisplayNotice::Power, 7, 30, 60},
        {"battery saver off", DisplayNotice::BatterySaver, 0, 60, 60},
    };
    constexpr int64_t kRefresh = 16667;
    OffscreenGl gl(64, 48);
    ASSERT_TRUE(gl.Ok());
    StepPacer pacer(kStepMicroseconds);
    int64_t now = 0;
    // Passes until `end`: the frames drawn. While the display is off a
    // message wakes the loop now and then.
    const auto run = [&](int64_t end) {
        int frames = 0;
        while (now < end) {
            if (!DisplayWantsFrames(pacer)) {
                now += 100000;
                continue;
            }
            EXPECT_TRUE(RunIdlePass(pacer, now));
            ++frames;
            now = (now + 2000) / kRefresh * kRefresh + kRefresh;
            now += SleepAfterPresent(pacer, now);
        }
        return frames;
    };
    run(1000000);
    for (const auto& notice : kNotices) {
        SCOPED_TRACE(notice.what);
        NoteDisplay(notice.notice, notice.value);
        run(now + 1000000); // settles
        const int64_t steps = pacer.StepsTaken();
        const int64_t from = now;
        const int frames = run(now + 2000000);
        const double seconds = (now - from) / 1e6;
        EXPECT_NEAR(frames / seconds, notice.frames, 1);
        EXPECT_NEAR((pacer.StepsTaken() - steps) / seconds, notice.steps, 1);
    }
}
