// A large PNG picture's rows, already inflated, decoded and shrunk one by
// one: the filters, every pixel format, the boxes' means, damaged input.

#include <gtest/gtest.h>

#include <vector>

#include "png_shrinker.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType,
             uint8_t interlace = 0)
{
    Bytes header;
    for (const uint32_t side : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            header.push_back(static_cast<uint8_t>(side >> shift));
    header.insert(header.end(), {depth, colourType, 0, 0, interlace});
    return header;
}

// The picture's red, green and blue, top row first, shrunk to `width` x
// `height` from the header's size, its rows fed a byte at a time; empty
// when its rows are damaged or fall short.
Bytes Shrunk(const Bytes& header, const Bytes& rows, int width, int height,
             const Bytes& palette = {})
{
    PngShrinker shrinker;
    if (!shrinker.Start(header.data(), header.size(), palette.data(), palette.size(), width,
                        height))
        return {};
    for (const uint8_t byte : rows)
        if (!shrinker.Feed(&byte, 1))
            return {};
    const uint8_t* picture = shrinker.Picture();
    if (!picture)
        return {};
    Bytes rgb;
    for (int i = 0; i < 4 * width * height; ++i) {
        if (i % 4 != 3)
            rgb.push_back(picture[i]);
        else
            EXPECT_EQ(picture[i], 255);
    }
    return rgb;
}

Bytes Grey(std::initializer_list<int> levels)
{
    Bytes rgb;
    for (const int level : levels)
        rgb.insert(rgb.end(), 3, static_cast<uint8_t>(level));
    return rgb;
}

} // namespace

TEST(PngShrinker, UndoesEachFilter)
{
    // Grey pictures of two rows, the second through each filter: (80, 30,
    // 200) under (50, 20, 21), where Paeth picks above, above-left and left
    // in turn; then Paeth's ties, left before above-left, above before
    // above-left.
    struct Filtered {
        Bytes first;
        Bytes second; // its filter type first
        Bytes decoded;
    };
    const Filtered kRows[] = {
        {{50, 20, 21}, {0, 80, 30, 200}, {80, 30, 200}},
        {{50, 20, 21}, {1, 80, 206, 170}, {80, 30, 200}},
        {{50, 20, 21}, {2, 30, 10, 179}, {80, 30, 200}},
        {{50, 20, 21}, {3, 55, 236, 175}, {80, 30, 200}},
        {{50, 20, 21}, {4, 30, 236, 170}, {80, 30, 200}},
        {{10, 14}, {4, 248, 98}, {2, 100}},
        {{10, 2}, {4, 4, 98}, {14, 100}},
    };
    for (const Filtered& rows : kRows) {
        const int width = static_cast<int>(rows.first.size());
        Bytes data = {0};
        data.insert(data.end(), rows.first.begin(), rows.first.end());
        data.insert(data.end(), rows.second.begin(), rows.second.end());
        Bytes grey;
        for (const Bytes* row : {&rows.first, &rows.decoded})
            for (const uint8_t level : *row)
                grey.insert(grey.end(), 3, level);
        EXPECT_EQ(Shrunk(Header(width, 2, 8, 0), data, width, 2), grey)
            << "filter " << int(rows.second[0]) << " under " << int(rows.first[0]);
    }
}

TEST(PngShrinker, ReadsEveryPixelFormat)
{
    const Bytes kPalette = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    struct Format {
        uint8_t depth;
        uint8_t colourType;
        Bytes row; // two pixels, after the filter type
        Bytes rgb;
        uint8_t filter = 0;
    };
    const Format kFormats[] = {
        {1, 0, {0x80}, Grey({255, 0})},
        {2, 0, {0xd0}, Grey({255, 85})},
        {4, 0, {0xf5}, Grey({255, 85})},
        {8, 0, {7, 9}, Grey({7, 9})},
        {16, 0, {0x12, 0x34, 0x56, 0x78}, Grey({0x12, 0x56})},
        {8, 4, {7, 255, 9, 0}, Grey({7, 9})},
        {16, 4, {7, 1, 255, 255, 9, 1, 0, 0}, Grey({7, 9})},
        {8, 2, {1, 2, 3, 3, 3, 3}, {1, 2, 3, 4, 5, 6}, 1},
        {16, 2, {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0}, {1, 2, 3, 4, 5, 6}},
        {8, 6, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 5, 6, 7}},
        {16, 6, {10, 0, 20, 0, 30, 0, 40, 0, 1, 0, 2, 0, 3, 0, 4, 0}, {10, 20, 30, 11, 22, 33}, 1},
        {1, 3, {0x40}, {1, 2, 3, 4, 5, 6}},
        {2, 3, {0x90}, {7, 8, 9, 4, 5, 6}},
        {4, 3, {0x10}, {4, 5, 6, 1, 2, 3}},
        // An index past the palette is black.
        {8, 3, {1, 9}, {4, 5, 6, 0, 0, 0}},
    };
    for (const Format& format : kFormats) {
        Bytes rows = {format.filter};
        rows.insert(rows.end(), format.row.begin(), format.row.end());
        EXPECT_EQ(Shrunk(Header(2, 1, format.depth, format.colourType), rows, 2, 1, kPalette),
                  format.rgb)
            << "depth " << int(format.depth) << ", colour type " << int(format.colourType);
    }
}

TEST(PngShrinker, AveragesEachBoxIntoOnePixel)
{
    // 5 x 3 into 2 x 2: boxes of 3 and 2 columns, 2 rows and 1.
    const Bytes rows = {0, 0, 10, 20, 30, 40, 0, 50, 60, 70, 80, 90, 0, 100, 110, 120, 130, 141};
    EXPECT_EQ(Shrunk(Header(5, 3, 8, 0), rows, 2, 2), Grey({35, 60, 110, 136}));
    // A strip of one column, every row its own box or shared.
    EXPECT_EQ(Shrunk(Header(1, 4, 8, 0), {0, 10, 0, 20, 0, 30, 0, 40}, 1, 2), Grey({15, 35}));
}

TEST(PngShrinker, RefusesWhatItCannotDecode)
{
    const auto starts = [](const Bytes& header, int width, int height, const Bytes& palette = {}) {
        PngShrinker shrinker;
        return shrinker.Start(header.data(), header.size(), palette.data(), palette.size(), width,
                              height);
    };
    EXPECT_TRUE(starts(Header(1, 1, 8, 0), 1, 1));
    EXPECT_FALSE(starts(Header(0, 1, 8, 0), 1, 1));
    EXPECT_FALSE(starts(Header(0x80000000u, 1, 8, 0), 1, 1));
    EXPECT_FALSE(starts(Header(PngShrinker::kWidest + 1, 1, 8, 0), 1, 1));
    EXPECT_FALSE(starts(Header(1, 0x80000000u, 8, 0), 1, 1));
    EXPECT_FALSE(starts(Header(1, 1, 3, 0), 1, 1));
    EXPECT_FALSE(starts(Header(1, 1, 4, 2), 1, 1));
    EXPECT_FALSE(starts(Header(1, 1, 16, 3), 1, 1, {1, 2, 3}));
    EXPECT_FALSE(starts(Header(1, 1, 8, 5), 1, 1));
    EXPECT_FALSE(starts(Header(1, 1, 8, 0, 1), 1, 1));
    const Bytes header = Header(1, 1, 8, 0);
    EXPECT_FALSE(starts(Bytes(header.begin(), header.end() - 1), 1, 1));
    // A palette picture with no palette, or one of a broken length.
    EXPECT_FALSE(starts(Header(1, 1, 8, 3), 1, 1));
    EXPECT_FALSE(starts(Header(1, 1, 8, 3), 1, 1, {1, 2}));
    // Shrunk to more than the picture has.
    EXPECT_FALSE(starts(Header(1, 1, 8, 0), 2, 1));
    EXPECT_FALSE(starts(Header(1, 1, 8, 0), 1, 0));
    // A filter no PNG has, and rows that fall short.
    EXPECT_TRUE(Shrunk(Header(1, 1, 8, 0), {5, 0}, 1, 1).empty());
    EXPECT_TRUE(Shrunk(Header(1, 2, 8, 0), {0, 0, 0}, 1, 1).empty());
    // Bytes past the last row are ignored.
    EXPECT_EQ(Shrunk(Header(1, 1, 8, 0), {0, 7, 9, 9}, 1, 1), Grey({7}));
}
