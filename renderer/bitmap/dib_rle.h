#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Walks a run-length encoded pixel stream (4 or 8 bits per pixel) of `size`
// bytes for a picture of width x height, and calls plot(x, row, index) for
// every pixel it sets; row 0 is the bottom row. Pixels the stream skips (by
// deltas or early line ends) are not plotted, and runs past the right edge
// are cut there. Returns true when the stream ends properly: at its
// end-of-bitmap code, or by moving past the top row. A stream that runs out
// of bytes first is truncated and gives false.
template <typename Plot>
bool WalkRle(const uint8_t* data, size_t size, int bitCount, int32_t width, int32_t height,
             Plot&& plot)
{
    // Pixel k of a 4-bit pair: high nibble first.
    const auto nibble = [](uint8_t pair, int k) -> uint8_t {
        return (k % 2 == 0) ? pair >> 4 : pair & 0x0F;
    };

    size_t i = 0;
    int32_t x = 0;
    int64_t row = 0;
    while (i + 1 < size) {
        const uint8_t count = data[i];
        const uint8_t code = data[i + 1];
        i += 2;
        if (count != 0) {
            // A run of one value (8 bits) or of two alternating nibbles (4 bits).
            const int n = std::min<int>(count, width - x);
            for (int k = 0; k < n; ++k)
                plot(x + k, row, bitCount == 8 ? code : nibble(code, k));
            x += n;
        } else if (code == 0) { // end of line
            x = 0;
            if (++row >= height)
                return true;
        } else if (code == 1) { // end of bitmap
            return true;
        } else if (code == 2) { // delta: move right and up
            if (i + 1 >= size)
                return false;
            x = std::min<int32_t>(x + data[i], width);
            row += data[i + 1];
            if (row >= height)
                return true;
            i += 2;
        } else { // literal pixels, padded to a whole number of 16-bit words
            const size_t bytes = (static_cast<size_t>(code) * bitCount + 7) / 8;
            if (bytes > size - i)
                return false;
            const int n = std::min<int>(code, width - x);
            for (int k = 0; k < n; ++k)
                plot(x + k, row, bitCount == 8 ? data[i + k] : nibble(data[i + k / 2], k));
            x += n;
            i += (bytes + 1) & ~size_t{1};
        }
    }
    return false;
}
