#include "scene_start.h"

#include "bitmap_loader.h"
#include "capture_folder_win32.h"
#include "cloud_picture.h"
#include "handoff.h"
#include "scene.h"
#include "startup_marks.h"

namespace {

// One capture picture, or null when the folder may not be read or the
// picture is missing or damaged.
RgbImage* LoadCapture(bool readable, const char* path)
{
    RgbImage* image = readable ? LoadCaptureImage(path) : nullptr;
    MarkStartup(path);
    return image;
}

} // namespace

int StartStormScene()
{
    Win32CaptureFolder folder(kCaptureFolder);
    const bool readable = !CaptureFolderRefused(folder);
    RgbImage* sky = LoadCapture(readable, kCloudPicturePath);
    if (!sky)
        sky = DecodeDibImage(kCloudPicture, kCloudPictureSize);
    RgbImage* floor = LoadCapture(readable, kDesktopPicturePath);
    const int started = InitSceneFromImages(sky, floor);
    FreeRgbImage(sky);
    FreeRgbImage(floor);
    return started;
}
