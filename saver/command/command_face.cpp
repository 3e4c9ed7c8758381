#include "command_face.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kCorner = 60; // twips
constexpr int kPictureWidth = 64 * kTwipsPerPixel;
constexpr int kPictureHeight = 25 * kTwipsPerPixel;
constexpr int kEdgeWidth = kPictureWidth - 2 * kCorner;   // 840
constexpr int kEdgeHeight = kPictureHeight - 2 * kCorner; // 255

const char kLightColour[] = "&HFFFFFF";
const char kShadeColour[] = "&HC6C5D7";

int Pixels(int64_t twips)
{
    return static_cast<int>(std::llround(static_cast<double>(twips) / kTwipsPerPixel));
}

// "&HC6C5D7": six hexadecimal digits, their pairs red, green and blue.
GradientColour Colour(const char* text)
{
    const unsigned long value = std::strtoul(text + 2, nullptr, 16) & 0xFFFFFF;
    return {static_cast<uint16_t>((value >> 16 & 0xFF) << 8),
            static_cast<uint16_t>((value >> 8 & 0xFF) << 8),
            static_cast<uint16_t>((value & 0xFF) << 8)};
}

} // namespace

std::vector<FacePiece> FacePieces(int width, int height)
{
    const int64_t w = int64_t{width} * kTwipsPerPixel;
    const int64_t h = int64_t{height} * kTwipsPerPixel;
    const int64_t right = kPictureWidth - kCorner;
    const int64_t bottom = kPictureHeight - kCorner;
    // In twips, as FacePiece.
    const int64_t table[8][8] = {
        {1, 1, kCorner, kCorner, 0, 0, kCorner, kCorner},
        {kCorner, 1, w - 2 * kCorner, kCorner, kCorner, 1, kEdgeWidth, kCorner},
        {w - kCorner, 1, kCorner, kCorner, right, 1, kCorner, kCorner},
        {w - kCorner, kCorner, kCorner, h - 2 * kCorner, right, kCorner, kCorner, kEdgeHeight},
        {w - kCorner, h - kCorner, kCorner, kCorner, right, bottom, kCorner, kCorner},
        {kCorner, h - kCorner, w - 2 * kCorner, kCorner, kCorner, bottom, kEdgeWidth, kCorner},
        {1, h - kCorner, kCorner, kCorner, 0, bottom, kCorner, kCorner},
        {1, kCorner, kCorner, h - 2 * kCorner, 1, kCorner, kCorner, kEdgeHeight},
    };
    std::vector<FacePiece> pieces;
    for (const auto& twips : table) {
        int value[8];
        bool fits = true;
        for (int i = 0; i < 8; ++i) {
            fits = fits && twips[i] >= INT16_MIN && twips[i] <= INT16_MAX;
            value[i] = Pixels(twips[i]);
        }
        if (fits)
            pieces.push_back(
                {value[0], value[1], value[2], value[3], value[4], value[5], value[6], value[7]});
    }
    return pieces;
}

std::pair<GradientColour, GradientColour> GradientEnds(int16_t hoverShade)
{
    const GradientColour light = Colour(kLightColour);
    const GradientColour shade = Colour(kShadeColour);
    return hoverShade ? std::make_pair(shade, light) : std::make_pair(light, shade);
}

int CaptionTop(int height, int captionHeight)
{
    const double twips = (static_cast<double>(height) - captionHeight) * kTwipsPerPixel - 20;
    return static_cast<int>(std::lround(twips / 2 / kTwipsPerPixel));
}
