// What only the page's tests ask of the storm, built into the test variant of
// the page and never shipped: two pictures of their choice, the storm
// started afresh, and the pixels of the frame the page drew last.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bitmap_loader.h"
#include "bolt.h"
#include "bolt_random.h"
#include "scene.h"
#include "webgl_program.h"
#include "webgl_scene.h"

extern "C" {

// The sky and the floor from two bitmap files' bytes, read by the loader the
// saver's pictures go through (no mirroring: the files are taken as the
// capture files are); 0 when neither loads.
EMSCRIPTEN_KEEPALIVE int raivel_load_pictures(const uint8_t* cloud, size_t cloudSize,
                                              const uint8_t* desktop, size_t desktopSize)
{
    RgbImage* sky = DecodeDibImage(cloud, cloudSize);
    RgbImage* floor = DecodeDibImage(desktop, desktopSize);
    const int loaded = InitWebGlScene(sky, floor);
    FreeRgbImage(sky);
    FreeRgbImage(floor);
    return loaded;
}

// The storm as it starts, its first bolt grown: the page's next animation
// frame that takes a step draws the storm's second frame.
EMSCRIPTEN_KEEPALIVE void raivel_restart_storm()
{
    g_boltRandomState = 1;
    g_slideOffset = 10.0f;
    GrowBolt();
}

// The frame the storm last drew, width x height: red, green, blue and alpha,
// bottom row first.
EMSCRIPTEN_KEEPALIVE const uint8_t* raivel_read_frame(int width, int height)
{
    static std::vector<uint8_t> pixels;
    pixels.resize(size_t{4} * static_cast<size_t>(width) * static_cast<size_t>(height));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels.data();
}
}
