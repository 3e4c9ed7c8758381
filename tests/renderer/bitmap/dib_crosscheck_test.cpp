// GDI's conversion and ours must give the same pixels for every kind of
// bitmap we read: run under Wine, where GDI is the platform's own.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "dib_convert.h"
#include "dib_layout.h"

namespace {

struct Case {
    std::string name;
    std::vector<uint8_t> file;
};

std::vector<uint8_t> Convert(LoadFailure (*convert)(const DibLayout&, const BgrRowSink&),
                             const DibLayout& dib)
{
    std::vector<uint8_t> pixels(size_t{3} * dib.width * dib.height);
    const LoadFailure failure = convert(dib, [&](int32_t row, const uint8_t* bgr) {
        std::copy(bgr, bgr + 3 * dib.width, pixels.begin() + size_t{3} * dib.width * row);
    });
    EXPECT_EQ(static_cast<int>(failure), static_cast<int>(LoadFailure::None));
    return pixels;
}

// A random valid run-length stream: runs, literals, deltas and line ends,
// closed by the end-of-bitmap code. Runs and literals often reach past the
// right edge.
std::vector<uint8_t> RandomRle(std::mt19937& random, int32_t height, int bits)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<uint8_t> stream;
    int32_t row = 0;
    while (row < height) {
        switch (random() % 8) {
        case 0: // line end
            stream.insert(stream.end(), {0, 0});
            ++row;
            break;
        case 1: { // delta, staying inside the picture
            const int dy = static_cast<int>(random() % 2);
            if (row + dy >= height)
                break;
            stream.insert(stream.end(),
                          {0, 2, static_cast<uint8_t>(random() % 5), static_cast<uint8_t>(dy)});
            row += dy;
            break;
        }
        case 2:
        case 3: { // literal of 3 to 40 pixels, padded to a word
            const int count = 3 + static_cast<int>(random() % 38);
            stream.insert(stream.end(), {0, static_cast<uint8_t>(count)});
            const int bytes = (count * bits + 7) / 8;
            for (int i = 0; i < bytes; ++i)
                stream.push_back(static_cast<uint8_t>(byte(random)));
            if (bytes % 2)
                stream.push_back(0);
            break;
        }
        default: // run
            stream.push_back(static_cast<uint8_t>(1 + random() % 12));
            stream.push_back(static_cast<uint8_t>(byte(random)));
        }
    }
    stream.insert(stream.end(), {0, 1});
    return stream;
}

std::vector<Case> CrossCheckSet()
{
    std::mt19937 random(20261207);
    const auto randomValue = [&](int32_t, int32_t) { return static_cast<uint32_t>(random()); };
    std::vector<Case> cases;
    const auto add = [&](std::string name, const BmpRecipe& recipe) {
        cases.push_back({std::move(name), BuildBmp(recipe)});
    };

    for (uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        for (int32_t width : {1, 2, 3, 4, 5, 7, 8, 9, 31, 33, 64, 127}) {
            BmpRecipe recipe;
            recipe.width = width;
            recipe.height = 3;
            recipe.bitCount = bits;
            recipe.bits = PackRows(width, recipe.height, bits, randomValue);
            if (bits <= 8)
                recipe.palette = TestPalette(size_t{1} << bits);
            add(std::to_string(bits) + "-bit width " + std::to_string(width), recipe);
        }
    }

    // Shorter tables than the depth allows; indices past them included.
    for (auto [bits, used] : {std::pair<uint16_t, uint32_t>{8, 16}, {8, 2}, {4, 7}, {1, 1}}) {
        BmpRecipe recipe;
        recipe.width = 19;
        recipe.height = 4;
        recipe.bitCount = bits;
        recipe.clrUsed = used;
        recipe.palette = TestPalette(used);
        recipe.bits = PackRows(recipe.width, recipe.height, bits, randomValue);
        add(std::to_string(bits) + "-bit with " + std::to_string(used) + " colours", recipe);
        recipe.fileHeader = false;
        add(std::to_string(bits) + "-bit bare with " + std::to_string(used) + " colours", recipe);
    }

    for (uint16_t bits : {1, 4, 8, 24}) {
        BmpRecipe recipe;
        recipe.coreHeader = true;
        recipe.width = 21;
        recipe.height = 5;
        recipe.bitCount = bits;
        if (bits <= 8)
            recipe.palette = TestPalette(size_t{1} << bits);
        recipe.bits = PackRows(recipe.width, recipe.height, bits, randomValue);
        add("core " + std::to_string(bits) + "-bit", recipe);
    }

    for (int bits : {4, 8}) {
        for (int i = 0; i < 12; ++i) {
            BmpRecipe recipe;
            recipe.width = 5 + static_cast<int32_t>(random() % 60);
            recipe.height = 1 + static_cast<int32_t>(random() % 12);
            recipe.bitCount = static_cast<uint16_t>(bits);
            recipe.compression = bits == 8 ? kBiRle8 : kBiRle4;
            recipe.palette = TestPalette(size_t{1} << bits);
            recipe.bits = RandomRle(random, recipe.height, bits);
            add("RLE" + std::to_string(bits) + " #" + std::to_string(i), recipe);
        }
    }
    return cases;
}

} // namespace

TEST(DibCrossCheck, GdiAndPortableConversionsAgree)
{
    for (const Case& c : CrossCheckSet()) {
        SCOPED_TRACE(c.name);
        DibLayout dib;
        ASSERT_EQ(static_cast<int>(ReadDibLayout(c.file.data(), c.file.size(), dib)),
                  static_cast<int>(LoadFailure::None));
        EXPECT_EQ(Convert(ConvertDibGdi, dib), Convert(ConvertDibPortable, dib));
    }
}
