// The storm's entry points for the page's JavaScript (page/page.js): start
// on the page's canvas, follow its size, take a floor picture no larger than
// it says, run on each animation frame or stand still.

#include <emscripten/emscripten.h>

#include <cstdint>

#include "animation_frame_pacer.h"
#include "bitmap_loader.h"
#include "bolt.h"
#include "cloud_picture.h"
#include "floor_picture.h"
#include "scene.h"
#include "webgl_scene.h"

namespace {

AnimationFramePacer g_pacer;

} // namespace

extern "C" {

// Starts the storm on the canvas #storm, its sky the saver's clouds and no
// floor yet; 0 when the browser has no WebGL.
EMSCRIPTEN_KEEPALIVE int raivel_start()
{
    if (!StartWebGl("#storm"))
        return 0;
    RgbImage* clouds = DecodeDibImage(kCloudPicture, kCloudPictureSize);
    const int started = InitWebGlScene(clouds, nullptr);
    FreeRgbImage(clouds);
    return started;
}

// The largest side of a floor picture: the page decodes none larger.
EMSCRIPTEN_KEEPALIVE int raivel_largest_floor_side()
{
    return kLargestFloorSide;
}

// The canvas's drawing buffer is now width x height.
EMSCRIPTEN_KEEPALIVE void raivel_resize(int width, int height)
{
    ResizeWebGlScene(width, height);
}

// The floor becomes a picture of width x height pixels of red, green, blue
// and alpha, top row first, mirrored as the saver mirrors the desktop; 0
// when it cannot.
EMSCRIPTEN_KEEPALIVE int raivel_set_floor(const uint8_t* rgba, int width, int height)
{
    RgbImage* picture = MirroredFloorPicture(rgba, width, height);
    const bool set = SetFloorPicture(picture);
    FreeRgbImage(picture);
    return set;
}

// An animation frame at `milliseconds` of the page's clock: the steps the
// storm advanced before the frame drawn now, or -1 for no frame now.
EMSCRIPTEN_KEEPALIVE int raivel_animation_frame(double milliseconds)
{
    const int steps = g_pacer.OnAnimationFrame(static_cast<int64_t>(milliseconds * 1000.0));
    if (steps == AnimationFramePacer::kSkip)
        return steps;
    for (int step = 0; step < steps; ++step)
        StepScene();
    DrawWebGlScene();
    return steps;
}

// A still frame for a visitor who asked for less motion: the storm as it
// stands once the flash has faded, drawn again as it is (after a resize)
// with no step and no flash.
EMSCRIPTEN_KEEPALIVE void raivel_still_frame()
{
    while (g_boltVisible)
        StepScene();
    DrawWebGlScene();
}
}
