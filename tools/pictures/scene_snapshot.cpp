// scene_snapshot CLOUD.bmp DESKTOP.bmp FRAME OUT.ppm [WIDTHxHEIGHT]: renders
// the storm scene off-screen from the two pictures ("-" for a missing one)
// and writes frame FRAME (from 1) as a binary PPM, top row first.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "scene.h"
#include "scene_render.h"

namespace fs = std::filesystem;

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: scene_snapshot CLOUD.bmp DESKTOP.bmp FRAME OUT.ppm [WIDTHxHEIGHT]\n");
    return 2;
}

// Copies `picture` to `destination`; "-" leaves it missing.
bool PlacePicture(const std::string& picture, const fs::path& destination)
{
    if (picture == "-")
        return true;
    std::error_code error;
    fs::copy_file(picture, destination, error);
    if (error)
        std::fprintf(stderr, "scene_snapshot: %s: %s\n", picture.c_str(), error.message().c_str());
    return !error;
}

bool WritePpm(const OffscreenGl& gl, const char* path)
{
    FILE* out = std::fopen(path, "wb");
    if (!out) {
        std::perror(path);
        return false;
    }
    std::fprintf(out, "P6\n%d %d\n255\n", gl.width(), gl.height());
    std::vector<uint8_t> row(std::size_t(3) * gl.width());
    for (int y = gl.height() - 1; y >= 0; --y) {
        for (int x = 0; x < gl.width(); ++x) {
            const uint8_t* pixel = gl.Pixel(x, y);
            row[3 * x] = pixel[0];
            row[3 * x + 1] = pixel[1];
            row[3 * x + 2] = pixel[2];
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    if (std::fclose(out) != 0) {
        std::perror(path);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6)
        return Usage();
    const int frames = std::atoi(argv[3]);
    int width = 1024;
    int height = 768;
    if (frames < 1 || (argc == 6 && (std::sscanf(argv[5], "%dx%d", &width, &height) != 2 ||
                                     width < 1 || height < 1)))
        return Usage();

    const CaptureFolder folder("scene-snapshot");
    if (!folder.Ok())
        return 1;
    if (!PlacePicture(argv[1], folder / kCloudPicturePath) ||
        !PlacePicture(argv[2], folder / kDesktopPicturePath))
        return 1;
    const OffscreenGl gl(width, height);
    return RenderScene(gl, folder, frames, "scene_snapshot") && WritePpm(gl, argv[4]) ? 0 : 1;
}
