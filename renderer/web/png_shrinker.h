#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A PNG picture too large for the floor, decoded row by row and shrunk as
// its rows come, never whole: it holds the last row, the row coming in and
// the shrunk picture. It takes the picture's pixel data already inflated
// (the zlib stream of its IDAT chunks, in any pieces), undoes the rows'
// filters, reads every bit depth and colour type a PNG may have (alpha
// dropped, 16-bit samples by their high byte, a palette index past the
// palette black) and averages each box of pixels into one of the shrunk
// picture. Interlaced pictures are not taken.
class PngShrinker {
public:
    // The widest picture taken: two of its rows at 8 bytes a pixel are 16 MB.
    static constexpr uint32_t kWidest = 1u << 20;

    // Starts on the picture whose IHDR chunk holds `header` and whose PLTE
    // chunk holds `palette` (none: 0 bytes), to shrink it to `width` x
    // `height`. False for a damaged, interlaced or too wide picture, or a
    // size past its own; it then takes no rows.
    bool Start(const uint8_t* header, size_t headerSize, const uint8_t* palette, size_t paletteSize,
               int width, int height);

    // The next `size` bytes of the inflated pixel data. False when a row is
    // damaged (a filter no PNG has). Bytes past the last row are ignored.
    bool Feed(const uint8_t* bytes, size_t size);

    // The shrunk picture once every row has come, red, green, blue and
    // alpha (opaque), top row first; null before.
    const uint8_t* Picture() const;

private:
    bool TakeRow();
    void Sample(const uint8_t* row, uint32_t x, uint64_t* rgb) const;
    void AddRow(const uint8_t* row);

    uint32_t width_ = 0;
    uint32_t height_ = 0; // 0 until started
    uint8_t depth_ = 0;
    uint8_t colourType_ = 0;
    size_t channels_ = 0;
    size_t filterStep_ = 0;         // bytes from a pixel to the one on its left
    std::vector<uint8_t> palette_;  // 256 entries of red, green, blue
    std::vector<uint8_t> row_;      // the filter type, then the row coming in
    std::vector<uint8_t> previous_; // the same for the row above it
    size_t filled_ = 0;             // bytes of row_ that have come
    uint32_t y_ = 0;                // the row coming in
    int shrunkWidth_ = 0;
    int shrunkHeight_ = 0;
    std::vector<uint32_t> columnStarts_; // each shrunk column's first column, then width_
    std::vector<uint64_t> sums_;         // the shrunk row's boxes' sums so far
    int shrunkY_ = 0;                    // the shrunk row being summed
    std::vector<uint8_t> picture_;
};
