// Feeds arbitrary bytes to the decoder of a large PNG's rows: a header (the
// IHDR chunk's 13 bytes), the size to shrink to, a palette and the inflated
// rows, handed over in pieces of a size the input chooses. Every byte of a
// finished picture is read, so that a write past its end, or a box left
// out, shows up under the sanitizers; a finished picture is opaque.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "png_shrinker.h"

namespace {

volatile uint32_t g_pictureSum;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The header, the shrunk width and height, the palette's entries, the
    // piece size.
    if (size < 13 + 4)
        return 0;
    const uint8_t* header = data;
    const int width = data[13] + 1;
    const int height = data[14] + 1;
    const size_t paletteSize = size_t{3} * data[15];
    const size_t pieceSize = size_t{data[16]} + 1;
    data += 17;
    size -= 17;
    if (paletteSize > size)
        return 0;
    PngShrinker shrinker;
    if (!shrinker.Start(header, 13, data, paletteSize, width, height))
        return 0;
    data += paletteSize;
    size -= paletteSize;
    while (size) {
        const size_t piece = pieceSize < size ? pieceSize : size;
        if (!shrinker.Feed(data, piece))
            return 0;
        data += piece;
        size -= piece;
    }
    const uint8_t* picture = shrinker.Picture();
    if (!picture)
        return 0;
    uint32_t sum = 0;
    for (size_t i = 0; i < size_t{4} * width * height; ++i) {
        if (i % 4 == 3 && picture[i] != 255)
            std::abort();
        sum += picture[i];
    }
    g_pictureSum = sum;
    return 0;
}
