#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Builds bitmap files byte by byte for the tests.
struct BmpRecipe {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    uint32_t sizeImage = 0; // 0: the size of `bits`
    bool coreHeader = false;
    bool fileHeader = true;
    // Colour entries as 0xRRGGBB, written as RGBQUAD (or RGBTRIPLE in a core
    // header) in the file's blue, green, red order.
    std::vector<uint32_t> palette;
    std::vector<uint8_t> bits;
};

std::vector<uint8_t> BuildBmp(const BmpRecipe& recipe);

// Uncompressed rows, bottom row first, each padded to 4 bytes: `value(x, row)`
// gives a palette index (1, 4, 8 bits), a 5-5-5 word (16), or 0xRRGGBB (24, 32).
std::vector<uint8_t> PackRows(int32_t width, int32_t height, uint16_t bitCount,
                              const std::function<uint32_t(int32_t, int32_t)>& value);

// A palette of `count` distinct colours.
std::vector<uint32_t> TestPalette(size_t count);

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
