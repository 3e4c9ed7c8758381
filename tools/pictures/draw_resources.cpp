// draw_resources OUT_DIR: draws the saver's built-in pictures into OUT_DIR:
// as 24-bit bitmap files clouds.bmp, the sky, preview.bmp, a still of the
// scene drawn off-screen from that sky over a made-up desktop, the push
// button's faces (face_*.bmp), the settings dialog's indicators (radio_*.bmp)
// and panel tile (tile.bmp); then the program icon raivel.ico, the same icon
// large on the web page's background for browsers that install the page
// (web_icon.bmp) and the link's hand cursor hand.cur; and the installer's
// wizard pictures, stills of the
// same scene at the sizes of its welcome and finish pages' side picture
// (wizard.bmp) and of its pages' header (header.bmp).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "bitmap_file.h"
#include "icon_write.h"
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

constexpr int kStillFrame = 1; // the flash

// A still of the scene: drawn `sceneWidth` wide, and its middle `width`
// columns kept, so that a narrow picture shows the storm as a wide screen
// does rather than squeezed.
struct Still {
    const char* file;
    int width;
    int height;
    int sceneWidth;
};
// The saver's preview, then the installer's side picture (4:3 scene) and
// header.
const Still kStills[] = {
    {"preview.bmp", 152, 112, 152},
    {"wizard.bmp", 164, 314, 419},
    {"header.bmp", 150, 57, 150},
};

constexpr int32_t kFaceWidth = 64;
constexpr int32_t kFaceHeight = 25;

// A push button face: a light outer ring, a border with rounded corners and an
// interior whose two outermost rows and columns on each side may be shaded.
// Colours are 0xRRGGBB.
struct Face {
    const char* file;
    int32_t inset;        // the rings moved this far right and down, over kFaceMargin
    uint32_t ringTopLeft; // the outer ring, blended from its top-left to its bottom-right
    uint32_t ringBottomRight;
    uint32_t border;
    uint32_t borderCorner; // the border's corner pixels
    uint32_t borderBend;   // the border pixels next to them
    uint32_t interior;
    // The shading of the interior's sides: the outermost row or column, then
    // the one inside it.
    uint32_t topOuter, topInner;
    uint32_t bottomOuter, bottomInner;
    uint32_t leftOuter, leftInner;
    uint32_t rightOuter, rightInner;
};

constexpr uint32_t kFaceMargin = 0xECE9D8;
constexpr uint32_t kRingTopLeft = 0xE0DCC9;
constexpr uint32_t kRingBottomRight = 0xFAFAF6;
constexpr uint32_t kBorder = 0x003C74;
constexpr uint32_t kBorderCorner = 0x7A95A8;
constexpr uint32_t kBorderBend = 0x255783;
constexpr uint32_t kInterior = 0xF3F3EE;
constexpr uint32_t kPressedInterior = 0xE2E1D9;
constexpr uint32_t kDisabledInterior = 0xF5F4EA;

// The highlight face also serves for the focused button under the pointer.
const Face kFaces[] = {
    {"face_normal.bmp", 0, kRingTopLeft, kRingBottomRight, kBorder, kBorderCorner, kBorderBend,
     kInterior, kInterior, kInterior, 0xD6D0C5, 0xE2DFD6, kInterior, kInterior, 0xE8E5DF, 0xEEEDE7},
    {"face_highlight.bmp", 0, kRingTopLeft, kRingBottomRight, kBorder, kBorderCorner, kBorderBend,
     kInterior, 0xFFF0CF, 0xFDD889, 0xE59700, 0xF8B330, 0xFCCA69, 0xFCCA69, 0xFCCA69, 0xFCCA69},
    {"face_selected.bmp", 0, kRingTopLeft, kRingBottomRight, kBorder, kBorderCorner, kBorderBend,
     kInterior, 0xCEE7FF, 0xCEE7FF, 0x6982EE, 0x6982EE, 0xA9C5EF, 0xA9C5EF, 0xA9C5EF, 0xA9C5EF},
    {"face_pressed.bmp", 1, kRingTopLeft, kRingBottomRight, kBorder, kBorderCorner, kBorderBend,
     kPressedInterior, kPressedInterior, kPressedInterior, kPressedInterior, kPressedInterior,
     kPressedInterior, kPressedInterior, kPressedInterior, kPressedInterior},
    // No outer ring; the border's corners blend into the margin.
    {"face_disable.bmp", 0, kFaceMargin, kFaceMargin, 0xC9C7BA, 0xDCDACB, 0xCFCDBF,
     kDisabledInterior, kDisabledInterior, kDisabledInterior, kDisabledInterior, kDisabledInterior,
     kDisabledInterior, kDisabledInterior, kDisabledInterior, kDisabledInterior},
};

constexpr int32_t kIndicatorSize = 12;

constexpr int32_t kTileWidth = 556;
constexpr int32_t kTileHeight = 20;
constexpr uint32_t kTileSeed = 0x71E5u;

constexpr int32_t kIconSamples = 4; // samples across each pixel of the icon

constexpr int32_t kCursorSize = 32;
constexpr CursorHotspot kHandHotspot = {5, 0}; // the tip of the pointing finger
// The hand, row by row: '#' black, '.' white, blanks transparent.
const char kHandArt[] = "     ##\n"
                        "    #..#\n"
                        "    #..#\n"
                        "    #..#\n"
                        "    #..#\n"
                        "    #..###\n"
                        "    #..#..###\n"
                        "    #..#..#..##\n"
                        "    #..#..#..#.#\n"
                        " ## #..#..#..#..#\n"
                        "#..##........#..#\n"
                        "#...#...........#\n"
                        " #..#...........#\n"
                        "  #.............#\n"
                        "  #.............#\n"
                        "   #............#\n"
                        "   #...........#\n"
                        "    #..........#\n"
                        "    #..........#\n"
                        "     #........#\n"
                        "     #........#\n"
                        "     ##########\n";

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

double Channel(uint32_t rgb, int shift)
{
    return (rgb >> shift) & 0xFF;
}

// The colour a fraction t of the way from a to b.
uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    return Rgb(Lerp(Channel(a, 16), Channel(b, 16), t), Lerp(Channel(a, 8), Channel(b, 8), t),
               Lerp(Channel(a, 0), Channel(b, 0), t));
}

// A fixed pseudo-random value from 0 to 1 for lattice point (x, y) of a seed.
double LatticeValue(uint32_t x, uint32_t y, uint32_t seed)
{
    uint32_t h = (x * 0x9E3779B1u) ^ (y * 0x85EBCA77u) ^ (seed * 0xC2B2AE3Du);
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
        return LatticeValue(x % cells, y % cells, kCloudSeed + octave);
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

// Pixel (x, y from the top) of a button face.
uint32_t FaceColour(const Face& face, int32_t x, int32_t y)
{
    if (x < face.inset || y < face.inset)
        return kFaceMargin;
    const int32_t fromLeft = x - face.inset;
    const int32_t fromTop = y - face.inset;
    const int32_t fromRight = kFaceWidth - 1 - x;
    const int32_t fromBottom = kFaceHeight - 1 - y;
    const int32_t across = std::min(fromLeft, fromRight);
    const int32_t down = std::min(fromTop, fromBottom);
    const int32_t ring = std::min(across, down);
    if (ring == 0) {
        const double t =
            (double(fromLeft) / (fromLeft + fromRight) + double(fromTop) / (fromTop + fromBottom)) /
            2;
        return Mix(face.ringTopLeft, face.ringBottomRight, t);
    }
    if (ring == 1) {
        if (across + down == 2)
            return face.borderCorner;
        return across + down == 3 ? face.borderBend : face.border;
    }
    // The nearest side's shading; where two are as near, the bottom comes
    // before the sides and the sides before the top.
    const int32_t depth = ring - 2;
    if (depth >= 2)
        return face.interior;
    const bool outer = depth == 0;
    if (fromBottom == ring)
        return outer ? face.bottomOuter : face.bottomInner;
    if (fromRight == ring)
        return outer ? face.rightOuter : face.rightInner;
    if (fromLeft == ring)
        return outer ? face.leftOuter : face.leftInner;
    return outer ? face.topOuter : face.topInner;
}

// A selection indicator: a square of `fill` in a one-pixel `border`.
PixelColour Indicator(uint32_t border, uint32_t fill)
{
    return [border, fill](int32_t x, int32_t row) {
        const bool edge =
            x == 0 || row == 0 || x == kIndicatorSize - 1 || row == kIndicatorSize - 1;
        return edge ? border : fill;
    };
}

// Grain along a row: lattice values `step` pixels apart, smoothly joined.
double RowGrain(int32_t x, int32_t row, int32_t step, uint32_t seed)
{
    const int32_t cell = x / step;
    const double t = SmoothStep(0.0, 1.0, double(x % step) / step);
    return Lerp(LatticeValue(cell, row, seed), LatticeValue(cell + 1, row, seed), t);
}

// Light-grey brushed metal darkening from left to right: long and short
// streaks along each row and a fine grain over the fade.
uint32_t TileColour(int32_t x, int32_t row)
{
    const double fade = Lerp(223, 176, double(x) / (kTileWidth - 1));
    const double grain = 8 * (RowGrain(x, row, 48, kTileSeed) - 0.5) +
                         5 * (RowGrain(x, row, 7, kTileSeed + 1) - 0.5) +
                         3 * (LatticeValue(x, row, kTileSeed + 2) - 0.5);
    const double level = fade + grain;
    return Rgb(level, level, level);
}

struct Point {
    double x;
    double y;
};

double SegmentDistance(Point p, Point a, Point b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The storm icon's shapes, in a unit square with y down. Each gives its
// signed distance from point p, negative inside.

// The cloud: three puffs over a rounded base.
double CloudDistance(Point p)
{
    struct Puff {
        Point centre;
        double radius;
    };
    static const Puff kPuffs[] = {{{0.30, 0.35}, 0.15}, {{0.52, 0.25}, 0.20}, {{0.75, 0.36}, 0.14}};
    double distance = SegmentDistance(p, {0.20, 0.47}, {0.82, 0.47}) - 0.11;
    for (const Puff& puff : kPuffs)
        distance =
            std::min(distance, std::hypot(p.x - puff.centre.x, p.y - puff.centre.y) - puff.radius);
    return distance;
}

// The bolt: a zigzag from the cloud's underside down to a point.
double BoltDistance(Point p)
{
    static const Point kBolt[] = {{0.46, 0.40}, {0.70, 0.40}, {0.58, 0.60}, {0.75, 0.60},
                                  {0.36, 0.98}, {0.46, 0.68}, {0.29, 0.68}};
    double distance = std::numeric_limits<double>::max();
    bool inside = false;
    for (size_t i = 0, j = std::size(kBolt) - 1; i < std::size(kBolt); j = i++) {
        const Point a = kBolt[j];
        const Point b = kBolt[i];
        distance = std::min(distance, SegmentDistance(p, a, b));
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside ? -distance : distance;
}

// 0xAARRGGBB of the storm at p, where a pixel is `pixel` wide: a
// yellow-white bolt over a dark cloud, each with a one-pixel outline.
uint32_t StormSample(Point p, double pixel)
{
    const double bolt = BoltDistance(p);
    if (bolt < 0)
        return 0xFF000000u | (bolt > -pixel ? 0xDC9A18 : 0xFFFAD2);
    const double cloud = CloudDistance(p);
    if (cloud < 0)
        return 0xFF000000u |
               (cloud > -pixel ? 0x181C28 : Mix(0x747C94, 0x2E3446, SmoothStep(0.05, 0.58, p.y)));
    return 0;
}

// The storm icon at size x size, each pixel the average of its samples.
IconImage StormIcon(int32_t size)
{
    IconImage icon{size, std::vector<uint32_t>(size_t(size) * size)};
    const double pixel = 1.0 / size;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            double alpha = 0;
            double sum[3] = {};
            for (int32_t i = 0; i < kIconSamples * kIconSamples; ++i) {
                const Point p = {(x + (i % kIconSamples + 0.5) / kIconSamples) * pixel,
                                 (y + (i / kIconSamples + 0.5) / kIconSamples) * pixel};
                const uint32_t argb = StormSample(p, pixel);
                const double weight = Channel(argb, 24);
                alpha += weight;
                for (int c = 0; c < 3; ++c)
                    sum[c] += weight * Channel(argb, 16 - 8 * c);
            }
            if (alpha > 0) {
                const uint32_t a =
                    static_cast<uint32_t>(alpha / (kIconSamples * kIconSamples) + 0.5);
                icon.pixels[y * size + x] =
                    a << 24 | Rgb(sum[0] / alpha, sum[1] / alpha, sum[2] / alpha);
            }
        }
    }
    return icon;
}

// The storm icon for browsers that install the web page, which take opaque
// icons best: on the page's own background, as large as they ask for.
constexpr int32_t kWebIconSize = 512;
constexpr uint32_t kWebPageBackground = 0x101418;

bool WriteWebIcon(const fs::path& path)
{
    const IconImage icon = StormIcon(kWebIconSize);
    const auto colour = [&icon](int32_t x, int32_t row) {
        const uint32_t argb = icon.pixels[size_t(kWebIconSize - 1 - row) * kWebIconSize + x];
        return Mix(kWebPageBackground, argb & 0xFFFFFFu, Channel(argb, 24) / 255.0);
    };
    return WriteBmp(path, kWebIconSize, kWebIconSize, colour);
}

// The link's pointing hand, from its drawing.
IconImage HandCursor()
{
    IconImage cursor{kCursorSize, std::vector<uint32_t>(size_t(kCursorSize) * kCursorSize)};
    int32_t x = 0;
    int32_t y = 0;
    for (const char c : std::string_view(kHandArt)) {
        if (c == '#' || c == '.')
            cursor.pixels[y * kCursorSize + x] = c == '#' ? 0xFF000000u : 0xFFFFFFFFu;
        x = c == '\n' ? 0 : x + 1;
        y += c == '\n';
    }
    return cursor;
}

// Writes an icon, or a cursor with `hotspot`; false after a message on
// standard error.
bool WriteIcon(const fs::path& path, const std::vector<IconImage>& images,
               std::optional<CursorHotspot> hotspot = std::nullopt)
{
    if (SaveIconFile(path.string(), images, hotspot))
        return true;
    std::fprintf(stderr, "draw_resources: cannot write %s\n", path.c_str());
    return false;
}

// Everything but the clouds and the preview, which need the renderer.
bool WriteDialogPictures(const fs::path& out)
{
    for (const Face& face : kFaces) {
        const auto colour = [&face](int32_t x, int32_t row) {
            return FaceColour(face, x, kFaceHeight - 1 - row);
        };
        if (!WriteBmp(out / face.file, kFaceWidth, kFaceHeight, colour))
            return false;
    }
    return WriteBmp(out / "radio_off.bmp", kIndicatorSize, kIndicatorSize,
                    Indicator(0x8A8A8A, 0xFAFAFA)) &&
           WriteBmp(out / "radio_on.bmp", kIndicatorSize, kIndicatorSize,
                    Indicator(0x1C3F94, 0x3A70D8)) &&
           WriteBmp(out / "tile.bmp", kTileWidth, kTileHeight, TileColour) &&
           WriteIcon(out / "raivel.ico", {StormIcon(32), StormIcon(16)}) &&
           WriteWebIcon(out / "web_icon.bmp") &&
           WriteIcon(out / "hand.cur", {HandCursor()}, kHandHotspot);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Usage();
    const fs::path out = argv[1];
    if (!WriteDialogPictures(out))
        return 1;

    const CaptureFolder folder("draw-resources");
    if (!folder.Ok())
        return 1;
    if (!WriteBmp(out / "clouds.bmp", kCloudSize, kCloudSize, CloudColour) ||
        !WriteBmp(folder / kCloudPicturePath, kCloudSize, kCloudSize, CloudColour) ||
        !WriteBmp(folder / kDesktopPicturePath, kDesktopWidth, kDesktopHeight, DesktopColour))
        return 1;

    for (const Still& still : kStills) {
        const OffscreenGl gl(still.sceneWidth, still.height);
        if (!RenderScene(gl, folder, kStillFrame, "draw_resources"))
            return 1;
        const int left = (still.sceneWidth - still.width) / 2;
        const auto pixels = [&gl, left](int32_t x, int32_t row) {
            const uint8_t* pixel = gl.Pixel(left + x, row);
            return static_cast<uint32_t>(pixel[0] << 16 | pixel[1] << 8 | pixel[2]);
        };
        if (!WriteBmp(out / still.file, still.width, still.height, pixels))
            return 1;
    }
    return 0;
}
