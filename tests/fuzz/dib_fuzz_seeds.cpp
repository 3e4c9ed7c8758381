// Writes the fuzzer's starting corpus: one small bitmap of each kind the
// loader reads.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "bmp_builder.h"

namespace {

// A width that leaves row padding at every depth.
constexpr int32_t kWidth = 5;
constexpr int32_t kHeight = 3;

BmpRecipe Uncompressed(uint16_t bitCount)
{
    BmpRecipe recipe;
    recipe.width = kWidth;
    recipe.height = kHeight;
    recipe.bitCount = bitCount;
    if (bitCount <= 8)
        recipe.palette = TestPalette(size_t{1} << bitCount);
    recipe.bits = PackRows(kWidth, kHeight, bitCount, [](int32_t x, int32_t row) {
        return static_cast<uint32_t>(x * 0x2F1B07 + row * 0x0B3D91 + x * row);
    });
    return recipe;
}

// Run-length data: runs, literals (an odd count, so padded), line ends, a
// delta and the end-of-bitmap code.
BmpRecipe RunLength(uint16_t bitCount, std::vector<uint8_t> stream)
{
    BmpRecipe recipe;
    recipe.width = kWidth;
    recipe.height = kHeight;
    recipe.bitCount = bitCount;
    recipe.compression = bitCount == 8 ? 1 : 2;
    recipe.palette = TestPalette(size_t{1} << bitCount);
    recipe.bits = std::move(stream);
    return recipe;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: dib_fuzz_seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const auto write = [&](const std::string& name, const BmpRecipe& recipe) {
        WriteBytes(dir + "/" + name, BuildBmp(recipe));
    };

    for (uint16_t bitCount : {1, 4, 8, 16, 24, 32})
        write("rgb" + std::to_string(bitCount) + ".bmp", Uncompressed(bitCount));

    BmpRecipe core = Uncompressed(8);
    core.coreHeader = true;
    write("core8.bmp", core);

    BmpRecipe bare = Uncompressed(4);
    bare.fileHeader = false;
    bare.clrUsed = 7;
    bare.palette.resize(7);
    write("bare4.dib", bare);

    write("rle8.bmp",
          RunLength(8, {2, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 0, 3, 5, 0, 0, 5, 6, 0, 1}));
    write("rle4.bmp", RunLength(4, {4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 2, 1, 1, 2, 0x67, 0, 1}));
    return 0;
}
