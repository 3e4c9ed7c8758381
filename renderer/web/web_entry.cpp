// The storm's entry points for the page's JavaScript (page/page.js): start
// on the page's canvas, follow its size, take a floor picture no larger than
// it says (inflating and decoding a large PNG shrunk), run on each
// animation frame or stand still.

#include <emscripten/emscripten.h>

#include <cstdint>

#include "animation_frame_pacer.h"
#include "bitmap_loader.h"
#include "bolt.h"
#include "cloud_picture.h"
#include "floor_picture.h"
#include "inflater.h"
#include "png_shrinker.h"
#include "scene.h"
#include "webgl_scene.h"

namespace {

AnimationFramePacer g_pacer;

// A large PNG's pixels on their way: inflated straight into its rows'
// decoder, never held whole.
struct LargePng {
    Inflater inflater;
    PngShrinker shrinker;
};

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

// A PNG picture larger than the floor, inflated and decoded shrunk to
// width x height as the page hands over its pixels' zlib stream (the IDAT
// chunks' data): the decoder for the next three entries, or null for a
// picture it does not take. `header` holds the IHDR chunk, `palette` the
// PLTE chunk or nothing.
EMSCRIPTEN_KEEPALIVE LargePng* raivel_png_start(const uint8_t* header, int headerSize,
                                                const uint8_t* palette, int paletteSize, int width,
                                                int height)
{
    auto* png = new LargePng;
    if (png->shrinker.Start(header, headerSize, palette, paletteSize, width, height))
        return png;
    delete png;
    return nullptr;
}

// The next `size` bytes of the picture's pixels, `last` when no more
// follow; 0 when they are damaged or fall short. Inflated rows past the
// last are never made.
EMSCRIPTEN_KEEPALIVE int raivel_png_pixels(LargePng* png, const uint8_t* pixels, int size, int last)
{
    bool rowsTaken = true;
    const Inflater::Sink sink = [png, &rowsTaken](const uint8_t* rows, size_t rowsSize) {
        rowsTaken = png->shrinker.Feed(rows, rowsSize);
        return rowsTaken && !png->shrinker.Picture();
    };
    return png->inflater.Feed(pixels, size, last, sink) && rowsTaken;
}

// The shrunk picture (red, green, blue, alpha, top row first) once every
// row has come; null before.
EMSCRIPTEN_KEEPALIVE const uint8_t* raivel_png_picture(const LargePng* png)
{
    return png->shrinker.Picture();
}

EMSCRIPTEN_KEEPALIVE void raivel_png_end(LargePng* png)
{
    delete png;
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
