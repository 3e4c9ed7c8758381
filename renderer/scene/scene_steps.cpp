// The storm's steps, shared by every drawing path: the sliding ceiling's
// move, the flash's fade and each new bolt.

#include "bolt.h"
#include "scene.h"
#include "scene_geometry.h"

float g_slideOffset = 10.0f;

namespace {

constexpr float kSlideStart = 10.0f;
constexpr float kFloorBetweenFlashes = 0.3f;

// Where the sliding ceiling stands one step after `offset`: 0.05 further, or
// back at the start once past 40. The sum is taken in double precision and
// rounded to single, as always: scene_test
// (FlashLightsTheFloorThenItStaysDarkUntilTheNextBolt) pins the restart, and
// with it each new bolt, on the 601st step that this rounding gives.
float SlideAfter(float offset)
{
    const float moved = static_cast<float>(offset + 0.05);
    return moved > 40.0f ? kSlideStart : moved;
}

// The sliding ceiling stands where it is, in the shade of where it will be
// one step on: 0.75 on the frame on which it jumps back.
float SlidingCeilingShade()
{
    return 1.0f - SlideAfter(g_slideOffset) / 40.0f;
}

// The floor is lit in the flash's grey while the bolt shows, dim otherwise.
float FloorBrightness()
{
    return g_boltVisible ? g_flashBrightness : kFloorBetweenFlashes;
}

} // namespace

void StepScene()
{
    if (g_boltVisible)
        FadeFlash();
    g_slideOffset = SlideAfter(g_slideOffset);
    // The frame on which the ceiling jumps back shows the new bolt's flash.
    if (SlideAfter(g_slideOffset) == kSlideStart)
        GrowBolt();
}

std::array<PlaneDrawing, 3> FramePlanes()
{
    return {{{ScenePlane::Ceiling, ScenePicture::Clouds, 1.0f, 0.0f, true},
             {ScenePlane::SlidingCeiling, ScenePicture::Clouds, SlidingCeilingShade(),
              g_slideOffset, true},
             {ScenePlane::Floor, ScenePicture::Desktop, FloorBrightness(), 0.0f, false}}};
}
