#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "dib_layout.h"
#include "little_endian.h"

void PrintTo(LoadFailure failure, std::ostream* out)
{
    static const char* const names[] = {"None", "UnknownFormat", "OutOfMemory", "ConversionError"};
    *out << names[static_cast<int>(failure)];
}

namespace {

LoadFailure Read(const std::vector<uint8_t>& file, DibLayout& layout)
{
    return ReadDibLayout(file.data(), file.size(), layout);
}

LoadFailure Read(const std::vector<uint8_t>& file)
{
    DibLayout layout;
    return Read(file, layout);
}

BmpRecipe Plain24(int32_t width, int32_t height)
{
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bits = PackRows(width, height, 24, [](int32_t x, int32_t row) { return x * 7 + row; });
    return recipe;
}

BmpRecipe Rle8(std::vector<uint8_t> stream)
{
    BmpRecipe recipe;
    recipe.width = 4;
    recipe.height = 2;
    recipe.bitCount = 8;
    recipe.compression = kBiRle8;
    recipe.palette = TestPalette(4);
    recipe.clrUsed = 4;
    recipe.bits = std::move(stream);
    return recipe;
}

} // namespace

TEST(DibLayout, HeadersOtherThanCoreAndInfoAreUnknown)
{
    for (uint32_t size : {0u, 16u, 64u, 108u, 124u}) {
        std::vector<uint8_t> file = BuildBmp(Plain24(2, 2));
        WriteU32(&file[14], size);
        EXPECT_EQ(Read(file), LoadFailure::UnknownFormat) << size;
    }
    // Too short to hold the header it names.
    const std::vector<uint8_t> whole = BuildBmp(Plain24(2, 2));
    for (size_t size : {1u, 14u, 17u, 53u})
        EXPECT_EQ(Read({whole.begin(), whole.begin() + size}), LoadFailure::UnknownFormat) << size;
}

TEST(DibLayout, ColorCountFollowsTheHeader)
{
    for (auto [bits, colors] : {std::pair{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}}) {
        BmpRecipe core;
        core.coreHeader = true;
        core.bitCount = static_cast<uint16_t>(bits);
        const std::vector<uint8_t> file = BuildBmp(core);
        EXPECT_EQ(CountDibColors(&file[14]), colors) << bits;
    }
    BmpRecipe info;
    info.bitCount = 8;
    std::vector<uint8_t> file = BuildBmp(info);
    EXPECT_EQ(CountDibColors(&file[14]), 256);
    WriteU32(&file[14 + 32], 16);
    EXPECT_EQ(CountDibColors(&file[14]), 16);
    WriteU32(&file[14 + 32], 0x10010); // taken as a 16-bit count
    EXPECT_EQ(CountDibColors(&file[14]), 16);
}

TEST(DibLayout, ColorTableAndPixelsMustLieInTheFile)
{
    BmpRecipe paletted;
    paletted.width = 3;
    paletted.height = 2;
    paletted.bitCount = 8;
    paletted.palette = TestPalette(256);
    paletted.bits = PackRows(3, 2, 8, [](int32_t x, int32_t) { return x; });
    const std::vector<uint8_t> whole = BuildBmp(paletted);
    ASSERT_EQ(Read(whole), LoadFailure::None);
    // Cut in the colour table, then in the last row's fill.
    EXPECT_EQ(Read({whole.begin(), whole.begin() + 54 + 100}), LoadFailure::ConversionError);
    EXPECT_EQ(Read({whole.begin(), whole.end() - 1}), LoadFailure::ConversionError);

    std::vector<uint8_t> offsetPastEnd = BuildBmp(Plain24(2, 2));
    WriteU32(&offsetPastEnd[10], static_cast<uint32_t>(offsetPastEnd.size() + 1));
    EXPECT_EQ(Read(offsetPastEnd), LoadFailure::ConversionError);
    WriteU32(&offsetPastEnd[10], 0xFFFFFFFFu);
    EXPECT_EQ(Read(offsetPastEnd), LoadFailure::ConversionError);

    // A colour count that overflows a 32-bit size computation stays in bounds.
    BmpRecipe manyColors = paletted;
    manyColors.clrUsed = 0xFFFF;
    EXPECT_EQ(Read(BuildBmp(manyColors)), LoadFailure::ConversionError);
}

TEST(DibLayout, PicturesWeCannotConvertAreRefused)
{
    const std::vector<uint8_t> good = BuildBmp(Plain24(4, 4));
    const auto withField = [&](size_t offset, uint32_t value) {
        std::vector<uint8_t> file = good;
        WriteU32(&file[14 + offset], value);
        return Read(file);
    };
    EXPECT_EQ(withField(8, static_cast<uint32_t>(-4)), LoadFailure::ConversionError); // top-down
    EXPECT_EQ(withField(16, 3), LoadFailure::ConversionError);                        // bit fields
    EXPECT_EQ(withField(16, 4), LoadFailure::ConversionError);                        // JPEG
    EXPECT_EQ(withField(16, kBiRle8), LoadFailure::ConversionError); // RLE8 at 24 bits

    BmpRecipe twoBit = Plain24(4, 4);
    twoBit.bitCount = 2;
    EXPECT_EQ(Read(BuildBmp(twoBit)), LoadFailure::ConversionError);
}

TEST(DibLayout, AbsurdSizesAreRefusedBeforeAnyAllocation)
{
    // A few bytes of run-length data claiming a picture of 65535 x 65535.
    BmpRecipe huge = Rle8({0, 1});
    huge.width = 65535;
    huge.height = 65535;
    EXPECT_EQ(Read(BuildBmp(huge)), LoadFailure::OutOfMemory);
    huge.width = 70000;
    huge.height = 1;
    EXPECT_EQ(Read(BuildBmp(huge)), LoadFailure::OutOfMemory);

    // No pixels at all: no bitmap to convert into either, whatever the
    // sign of the other side.
    const std::vector<uint8_t> good = BuildBmp(Plain24(4, 4));
    for (const auto& [width, height] :
         {std::pair<int32_t, int32_t>{0, 4}, {-4, 4}, {0, -4}, {4, 0}}) {
        std::vector<uint8_t> file = good;
        WriteU32(&file[18], static_cast<uint32_t>(width));
        WriteU32(&file[22], static_cast<uint32_t>(height));
        EXPECT_EQ(Read(file), LoadFailure::OutOfMemory) << width << " x " << height;
    }
}

TEST(DibLayout, RunLengthStreamsMustEndInsideTheirData)
{
    EXPECT_EQ(Read(BuildBmp(Rle8({4, 1, 0, 0, 2, 2, 0, 1}))), LoadFailure::None);
    // Ends by moving past the top row.
    EXPECT_EQ(Read(BuildBmp(Rle8({4, 1, 0, 0, 4, 2, 0, 0}))), LoadFailure::None);

    EXPECT_EQ(Read(BuildBmp(Rle8({4, 1, 0, 0, 2, 2}))), LoadFailure::ConversionError);
    EXPECT_EQ(Read(BuildBmp(Rle8({0, 2, 1}))), LoadFailure::ConversionError);       // delta
    EXPECT_EQ(Read(BuildBmp(Rle8({0, 4, 1, 2, 3}))), LoadFailure::ConversionError); // literal
    EXPECT_EQ(Read(BuildBmp(Rle8({}))), LoadFailure::ConversionError);

    // A stated stream size beyond the end of the file.
    BmpRecipe overlong = Rle8({4, 1, 0, 1});
    overlong.sizeImage = 5;
    EXPECT_EQ(Read(BuildBmp(overlong)), LoadFailure::ConversionError);
}

TEST(DibLayout, ColorBlockNeverClaimsMoreEntriesThanItHolds)
{
    // The file has two entries once its count is cut to 16 bits: the block
    // says two, and zeros follow up to any 8-bit index.
    BmpRecipe recipe;
    recipe.width = 2;
    recipe.height = 1;
    recipe.bitCount = 8;
    recipe.clrUsed = 0x10002;
    recipe.palette = {0x112233, 0x445566};
    recipe.bits = {0, 1, 0, 0};
    DibLayout layout;
    ASSERT_EQ(Read(BuildBmp(recipe), layout), LoadFailure::None);
    EXPECT_EQ(layout.colorCount, 2u);
    EXPECT_EQ(ReadU32(layout.header.get() + 32), 2u);
    const uint8_t* table = layout.ColorTable();
    EXPECT_EQ(table[4 + 2], 0x44);
    for (int i = 2 * 4; i < 257 * 4; ++i)
        ASSERT_EQ(table[i], 0) << i;

    // A true-colour picture claiming 65536 entries: none are looked up.
    BmpRecipe trueColour;
    trueColour.width = 1;
    trueColour.height = 1;
    trueColour.clrUsed = 0x10000;
    trueColour.bits = {1, 2, 3, 0};
    ASSERT_EQ(Read(BuildBmp(trueColour), layout), LoadFailure::None);
    EXPECT_EQ(layout.colorCount, 0u);
    EXPECT_EQ(ReadU32(layout.header.get() + 32), 0u);
}

TEST(DibLayout, BareDibPixelsFollowTheColorTable)
{
    BmpRecipe info;
    info.fileHeader = false;
    info.width = 2;
    info.height = 1;
    info.bitCount = 8;
    info.clrUsed = 16;
    info.palette = TestPalette(16);
    info.bits = {1, 2, 0, 0};
    std::vector<uint8_t> file = BuildBmp(info);
    DibLayout layout;
    ASSERT_EQ(Read(file, layout), LoadFailure::None);
    EXPECT_EQ(layout.bits, file.data() + 40 + 16 * 4);

    BmpRecipe core = info;
    core.coreHeader = true;
    core.bitCount = 4;
    file = BuildBmp(core);
    ASSERT_EQ(Read(file, layout), LoadFailure::None);
    EXPECT_EQ(layout.bits, file.data() + 12 + 16 * 3);
}
