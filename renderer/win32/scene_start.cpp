#include "scene_start.h"

#include "bitmap_loader.h"
#include "capture_folder_win32.h"
#include "cloud_picture.h"
#include "handoff.h"
#include "scene.h"

int StartStormScene()
{
    Win32CaptureFolder folder(kCaptureFolder);
    if (!CaptureFolderRefused(folder))
        return InitScene();
    RgbImage* clouds = DecodeDibImage(kCloudPicture, kCloudPictureSize);
    const int started = InitSceneFromImages(clouds, nullptr);
    FreeRgbImage(clouds);
    return started;
}
