// draw_resources OUT_DIR: draws the saver's built-in pictures into OUT_DIR as
// 24-bit bitmap files: clouds.bmp, the sky, and preview.bmp, a still of the
// scene drawn off-screen from that sky over a made-up desktop.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <vector>

#include "bitmap_file.h"
#include "scene.h"
#include "scene_render.h"

namespace fs = std::filesystem;

namespace {

// Gives 0xRRGGBB for pixel x of a row counted from the bottom.
using PixelColour = std::function<uint32_t(int32_t x, int32_t row)>;

constexpr int32_t kCloudSize = 128;
constexpr uint32_t kCloudSeed = 0x5A17u;
constexpr int kCloudOctaves = 4;
constexpr int kCloudCells = 3; // lattice cells across the picture in the first octave

constexpr int32_t kDesktopWidth = 1024;
constexpr int32_t kDesktopHeight = 768;
// The grid of icons starts this far below the top, which puts a row of them
// just short of the bottom edge, where the floor comes nearest.
constexpr int32_t kGridTop = 8;
constexpr int32_t kIconCell = 80;
constexpr int32_t kIconSize = 32;
constexpr int32_t kIconTop = 14;
constexpr int32_t kLabelTop = kIconTop + kIconSize + 6;
constexpr int32_t kLabelWidth = 52;
constexpr int32_t kLabelHeight = 8;

constexpr int kPreviewWidth = 152;
constexpr int kPreviewHeight = 112;
constexpr int kPreviewFrame = 1; // the flash

int Usage()
{
    std::fprintf(stderr, "usage: draw_resources OUT_DIR\n");
    return 2;
}

// Writes a 24-bit bitmap file of width x height; false after a message on
// standard error.
bool WriteBmp(const fs::path& path, int32_t width, int32_t height, const PixelColour& colour)
{
    const size_t stride = size_t{3} * width;
    std::vector<uint8_t> rows(stride * height);
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t rgb = colour(x, row);
            uint8_t* pixel = &rows[row * stride + 3 * x];
            pixel[0] = static_cast<uint8_t>(rgb);
            pixel[1] = static_cast<uint8_t>(rgb >> 8);
            pixel[2] = static_cast<uint8_t>(rgb >> 16);
        }
    }
    if (SaveBitmap24(path.string(), width, height, rows.data(), stride))
        return true;
    std::fprintf(stderr, "draw_resources: cannot write %s\n", path.c_str());
    return false;
}

double Lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

double SmoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

uint32_t Rgb(double r, double g, double b)
{
    return static_cast<uint32_t>(r + 0.5) << 16 | static_cast<uint32_t>(g + 0.5) << 8 |
           static_cast<uint32_t>(b + 0.5);
}

// A fixed pseudo-random value from 0 to 1 for lattice point (x, y) of an octave.
double LatticeValue(uint32_t x, uint32_t y, uint32_t octave)
{
    uint32_t h = (x * 0x9E3779B1u) ^ (y * 0x85EBCA77u) ^ ((octave + kCloudSeed) * 0xC2B2AE3Du);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h & 0xFFFFFFu) / double(0xFFFFFFu);
}

// Smoothly interpolated lattice values, `cells` lattice cells across the
// picture, wrapping at its edges so that the picture tiles.
double ValueNoise(double u, double v, int cells, uint32_t octave)
{
    const double fx = u * cells;
    const double fy = v * cells;
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double sx = SmoothStep(0.0, 1.0, fx - x0);
    const double sy = SmoothStep(0.0, 1.0, fy - y0);
    const auto at = [cells, octave](int x, int y) {
        return LatticeValue(x % cells, y % cells, octave);
    };
    return Lerp(Lerp(at(x0, y0), at(x0 + 1, y0), sx), Lerp(at(x0, y0 + 1), at(x0 + 1, y0 + 1), sx),
                sy);
}

// Dark blue-grey clouds: octaves of value noise, each twice as fine and half
// as strong as the last, lighter where the clouds are thick.
uint32_t CloudColour(int32_t x, int32_t row)
{
    const double u = (x + 0.5) / kCloudSize;
    const double v = (row + 0.5) / kCloudSize;
    double sum = 0.0;
    double weight = 0.0;
    double amplitude = 1.0;
    for (int octave = 0; octave < kCloudOctaves; ++octave) {
        sum += amplitude * ValueNoise(u, v, kCloudCells << octave, octave);
        weight += amplitude;
        amplitude *= 0.5;
    }
    const double density = sum / weight;
    const double thick = SmoothStep(0.32, 0.62, density);
    const double light = SmoothStep(0.55, 0.8, density);
    return Rgb(Lerp(6, 44, thick) + 50 * light, Lerp(8, 50, thick) + 52 * light,
               Lerp(16, 66, thick) + 58 * light);
}

// A made-up desktop: a dark-blue background under a grid of icons, each a
// coloured square over a light label bar.
uint32_t DesktopColour(int32_t x, int32_t row)
{
    static const uint32_t kIconColours[] = {0xE8C050, 0x4A90D8, 0x58B050,
                                            0xD05848, 0xD8D8E0, 0x9A68C8};
    const int32_t y = kDesktopHeight - 1 - row;
    const int32_t gridY = y - kGridTop;
    const int32_t cellX = x % kIconCell;
    const int32_t cellY = gridY % kIconCell;
    const int32_t iconLeft = (kIconCell - kIconSize) / 2;
    const int32_t labelLeft = (kIconCell - kLabelWidth) / 2;
    if (cellX >= iconLeft && cellX < iconLeft + kIconSize && cellY >= kIconTop &&
        cellY < kIconTop + kIconSize) {
        const size_t icon = x / kIconCell + 3 * (gridY / kIconCell);
        return kIconColours[icon % std::size(kIconColours)];
    }
    if (cellX >= labelLeft && cellX < labelLeft + kLabelWidth && cellY >= kLabelTop &&
        cellY < kLabelTop + kLabelHeight)
        return 0xE0E4EC;
    const double shade = double(y) / kDesktopHeight;
    return Rgb(Lerp(14, 8, shade), Lerp(42, 26, shade), Lerp(92, 64, shade));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Usage();
    const fs::path out = argv[1];

    const CaptureFolder folder("draw-resources");
    if (!folder.Ok())
        return 1;
    if (!WriteBmp(out / "clouds.bmp", kCloudSize, kCloudSize, CloudColour) ||
        !WriteBmp(folder / kCloudPicturePath, kCloudSize, kCloudSize, CloudColour) ||
        !WriteBmp(folder / kDesktopPicturePath, kDesktopWidth, kDesktopHeight, DesktopColour))
        return 1;

    const OffscreenGl gl(kPreviewWidth, kPreviewHeight);
    if (!RenderScene(gl, folder, kPreviewFrame, "draw_resources"))
        return 1;
    const auto preview = [&gl](int32_t x, int32_t row) {
        const uint8_t* pixel = gl.Pixel(x, row);
        return static_cast<uint32_t>(pixel[0] << 16 | pixel[1] << 8 | pixel[2]);
    };
    return WriteBmp(out / "preview.bmp", kPreviewWidth, kPreviewHeight, preview) ? 0 : 1;
}
