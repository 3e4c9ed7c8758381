// The storm's entry points for the page's JavaScript (page/page.js): start
// on the page's canvas, follow its size, take a floor picture, run on each
// animation frame; and, for the page's tests, any frame of any two pictures
// drawn from the storm's start.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "animation_frame_pacer.h"
#include "bitmap_loader.h"
#include "bolt.h"
#include "bolt_random.h"
#include "cloud_picture.h"
#include "floor_picture.h"
#include "scene.h"
#include "webgl_program.h"
#include "webgl_scene.h"

namespace {

AnimationFramePacer g_pacer;
int g_width = 1;
int g_height = 1;

} // namespace

extern "C" {

// Starts the storm on the canvas #storm, its sky the saver's clouds and no
// floor yet; 0 when the browser has no WebGL.
EMSCRIPTEN_KEEPALIVE int raivel_start()
{
    if (!StartWebGl("#storm"))
        return 0;
    RgbImage* clouds = DecodeDibImage(kCloudPicture, kCloudPictureSize);
    const int started = InitSceneFromImages(clouds, nullptr);
    FreeRgbImage(clouds);
    return started;
}

// The canvas's drawing buffer is now width x height.
EMSCRIPTEN_KEEPALIVE void raivel_resize(int width, int height)
{
    g_width = width;
    g_height = height;
    ResizeScene(width, height);
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
    DrawScene();
    return steps;
}

// For the tests: the sky and the floor from two bitmap files' bytes, read by
// the loader the saver's pictures go through (no mirroring: the files are
// taken as the capture files are); 0 when neither loads.
EMSCRIPTEN_KEEPALIVE int raivel_load_pictures(const uint8_t* cloud, size_t cloudSize,
                                              const uint8_t* desktop, size_t desktopSize)
{
    RgbImage* sky = DecodeDibImage(cloud, cloudSize);
    RgbImage* floor = DecodeDibImage(desktop, desktopSize);
    const int loaded = InitSceneFromImages(sky, floor);
    FreeRgbImage(sky);
    FreeRgbImage(floor);
    return loaded;
}

// For the tests: the storm started afresh and drawn at frame `frame` (the
// first is 1), as the native renderer draws it; its pixels, red, green,
// blue and alpha, bottom row first.
EMSCRIPTEN_KEEPALIVE const uint8_t* raivel_render_frame(int frame)
{
    static std::vector<uint8_t> pixels;
    g_boltRandomState = 1;
    g_slideOffset = 10.0f;
    GrowBolt();
    for (int step = 1; step < frame; ++step)
        StepScene();
    DrawScene();
    pixels.resize(size_t{4} * static_cast<size_t>(g_width) * static_cast<size_t>(g_height));
    glReadPixels(0, 0, g_width, g_height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels.data();
}
}
