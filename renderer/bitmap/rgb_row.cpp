#include "rgb_row.h"

#include <cstddef>
#include <cstring>

// The loader spends most of its time here, so the bulk of a row goes 16
// pixels at a time through 16-byte vectors (GCC's and Clang's vector
// extension; plain SSE2 on x86-64). Each output byte is picked from the input
// by masks: red comes from two bytes on, green stays, blue comes from two
// bytes back.

namespace {

using Bytes16 = uint64_t __attribute__((vector_size(16)));

// The bytes of a 16-byte block, lowest first, that hold colour `place` of a
// pixel (0, 1 or 2) when the block starts at byte `phase` of a pixel.
constexpr Bytes16 PlaceMask(int phase, int place)
{
    uint64_t half[2] = {};
    for (int j = 0; j < 16; ++j)
        if ((phase + j) % 3 == place)
            half[j / 8] |= uint64_t{0xFF} << (8 * (j % 8));
    return Bytes16{half[0], half[1]};
}

Bytes16 Load16(const uint8_t* p)
{
    Bytes16 value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// Converts the 16 bytes at `at`, reading two bytes either side of them.
template <int Phase> void SwapBlock(const uint8_t* bgr, uint8_t* rgb, size_t at)
{
    constexpr Bytes16 red = PlaceMask(Phase, 0);
    constexpr Bytes16 green = PlaceMask(Phase, 1);
    constexpr Bytes16 blue = PlaceMask(Phase, 2);
    const Bytes16 value =
        (Load16(bgr + at + 2) & red) | (Load16(bgr + at) & green) | (Load16(bgr + at - 2) & blue);
    std::memcpy(rgb + at, &value, sizeof value);
}

} // namespace

void CopyRowAsRgb(const uint8_t* bgr, uint8_t* rgb, int32_t width)
{
    const size_t end = size_t{3} * static_cast<size_t>(width > 0 ? width : 0);
    size_t at = 0;
    const auto copyPixel = [&] {
        rgb[at] = bgr[at + 2];
        rgb[at + 1] = bgr[at + 1];
        rgb[at + 2] = bgr[at];
        at += 3;
    };
    // The first pixel and the row's tail go one by one, so that no block
    // reads outside the row.
    if (at < end)
        copyPixel();
    for (; at + 50 <= end; at += 48) {
        SwapBlock<0>(bgr, rgb, at);
        SwapBlock<1>(bgr, rgb, at + 16);
        SwapBlock<2>(bgr, rgb, at + 32);
    }
    while (at < end)
        copyPixel();
}
