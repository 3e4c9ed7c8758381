#include "texture_pyramid.h"

#include <algorithm>
#include <cstddef>

namespace {

// The power of two GLU scales a side of `size` texels to: the highest bit
// of `size`, doubled when the two bits below it make three.
int NearestPower(int size)
{
    int power = 1;
    for (unsigned value = static_cast<unsigned>(size); value > 1; value >>= 1) {
        if (value == 3)
            return power * 4;
        power *= 2;
    }
    return power;
}

// For each of `out` texels along one side: the texels of `in` its box
// covers and how much of each, in texels.
struct Cover {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Cover> Covers(int in, int out)
{
    const float scale = static_cast<float>(in) / static_cast<float>(out);
    std::vector<Cover> covers(static_cast<size_t>(out));
    for (int i = 0; i < out; ++i) {
        const float low = scale * static_cast<float>(i);
        const float high = std::min(scale * static_cast<float>(i + 1), static_cast<float>(in));
        Cover& cover = covers[static_cast<size_t>(i)];
        cover.first = std::min(static_cast<int>(low), in - 1);
        for (int texel = cover.first; texel < in && static_cast<float>(texel) < high; ++texel)
            cover.weights.push_back(std::min(high, static_cast<float>(texel + 1)) -
                                    std::max(low, static_cast<float>(texel)));
    }
    return covers;
}

// The picture scaled to width x height by an area-weighted box filter, each
// texel the covered texels' mean, cut to a whole level.
TextureLevel Scale(const RgbImage& image, int width, int height)
{
    const auto columns = Covers(image.width, width);
    const auto rows = Covers(image.height, height);
    const size_t inRow = size_t{3} * static_cast<size_t>(image.width);
    // Across first, into sums a row of the picture.
    std::vector<float> across(size_t{3} * static_cast<size_t>(width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* in = image.pixels + inRow * static_cast<size_t>(y);
        float* out = &across[size_t{3} * static_cast<size_t>(width) * y];
        for (const Cover& cover : columns) {
            for (size_t k = 0; k < cover.weights.size(); ++k) {
                const uint8_t* texel = in + 3 * (static_cast<size_t>(cover.first) + k);
                for (int c = 0; c < 3; ++c)
                    out[c] += cover.weights[k] * texel[c];
            }
            out += 3;
        }
    }
    const float area = static_cast<float>(image.width) / static_cast<float>(width) *
                       (static_cast<float>(image.height) / static_cast<float>(height));
    TextureLevel level{width, height, std::vector<uint8_t>(size_t{3} * width * height)};
    const size_t outRow = size_t{3} * static_cast<size_t>(width);
    std::vector<float> sums(outRow);
    uint8_t* out = level.rgb.data();
    for (const Cover& cover : rows) {
        std::fill(sums.begin(), sums.end(), 0.0f);
        for (size_t k = 0; k < cover.weights.size(); ++k) {
            const float* in = &across[outRow * (static_cast<size_t>(cover.first) + k)];
            for (size_t x = 0; x < outRow; ++x)
                sums[x] += cover.weights[k] * in[x];
        }
        for (const float sum : sums)
            *out++ = static_cast<uint8_t>(std::min(sum / area, 255.0f));
    }
    return level;
}

// The next level: half as wide and high (a side of one stays one), each
// texel the rounded mean of those under it.
TextureLevel Halve(const uint8_t* rgb, int width, int height)
{
    const int halfWidth = std::max(width / 2, 1);
    const int halfHeight = std::max(height / 2, 1);
    // Where the second texel of a pair lies: beside, above, or the same one
    // along a side of one.
    const size_t right = width > 1 ? 3 : 0;
    const size_t up = height > 1 ? size_t{3} * static_cast<size_t>(width) : 0;
    const bool square = right && up;
    TextureLevel level{halfWidth, halfHeight,
                       std::vector<uint8_t>(size_t{3} * halfWidth * halfHeight)};
    uint8_t* out = level.rgb.data();
    for (int y = 0; y < halfHeight; ++y)
        for (int x = 0; x < halfWidth; ++x)
            for (int c = 0; c < 3; ++c, ++out) {
                const uint8_t* t = rgb +
                                   size_t{3} * (static_cast<size_t>(width) * (up ? 2 * y : y) +
                                                static_cast<size_t>(right ? 2 * x : x)) +
                                   c;
                *out =
                    static_cast<uint8_t>(square ? (t[0] + t[right] + t[up] + t[up + right] + 2) / 4
                                                : (t[0] + t[right + up]) / 2);
            }
    return level;
}

} // namespace

std::vector<TextureLevel> BuildTexturePyramid(const RgbImage& image, int largest)
{
    int width = NearestPower(image.width);
    int height = NearestPower(image.height);
    while (width > largest || height > largest) {
        width = std::max(width / 2, 1);
        height = std::max(height / 2, 1);
    }
    std::vector<TextureLevel> levels;
    if (image.width == width && image.height == height) {
        const uint8_t* pixels = image.pixels;
        levels.push_back({width, height, {pixels, pixels + size_t{3} * width * height}});
    } else if (image.width == 2 * width && image.height == 2 * height) {
        levels.push_back(Halve(image.pixels, image.width, image.height));
    } else {
        levels.push_back(Scale(image, width, height));
    }
    while (levels.back().width > 1 || levels.back().height > 1) {
        const TextureLevel& last = levels.back();
        levels.push_back(Halve(last.rgb.data(), last.width, last.height));
    }
    return levels;
}
