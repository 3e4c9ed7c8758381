// The loader end to end, through real files: natively with our own
// conversion, on Windows (and under Wine) with GDI's.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bitmap_loader.h"
#include "bmp_builder.h"
#include "captured_messages.h"
#include "dib_layout.h"
#include "little_endian.h"
#include "loaded_image.h"
#include "scratch_folder.h"

namespace {

uint32_t Pattern(int32_t x, int32_t row)
{
    return static_cast<uint32_t>((x * 0x1F + row * 0x0B) & 0xFF) << 16 |
           static_cast<uint32_t>((x * 3 + row * 0x41) & 0xFF) << 8 |
           static_cast<uint32_t>((x + row) * 0x95 & 0xFF);
}

uint32_t PixelAt(const RgbImage& image, int32_t x, int32_t row)
{
    const uint8_t* p = image.pixels + 3 * (static_cast<size_t>(row) * image.width + x);
    return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
}

// Every pixel of `image` is `expected(x, row)` (0xRRGGBB).
template <typename Expected> void ExpectPixels(const RgbImage& image, Expected expected)
{
    for (int32_t row = 0; row < image.height; ++row)
        for (int32_t x = 0; x < image.width; ++x)
            ASSERT_EQ(PixelAt(image, x, row), expected(x, row)) << "at " << x << ", " << row;
}

class BitmapLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = ScratchFolder("raivel-loader-test") / test->name();
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        g_loaderMessages.clear();
        // Everything is closed before a message shows.
        g_whileLoaderMessageShows = [this] { EXPECT_FALSE(HoldsAFileIn(folder_)); };
    }
    void TearDown() override
    {
        g_whileLoaderMessageShows = nullptr;
        std::filesystem::remove_all(folder_);
    }

    std::string PathOf(const char* name) const { return (folder_ / name).string(); }

    LoadedImage Load(const std::vector<uint8_t>& file, const char* name = "picture.bmp")
    {
        WriteBytes(PathOf(name), file);
        return LoadedImage(LoadCaptureImage(PathOf(name).c_str()));
    }

    // Loads a damaged file: no picture and exactly the one message.
    void ExpectRefused(const std::vector<uint8_t>& file, const std::string& message)
    {
        g_loaderMessages.clear();
        EXPECT_EQ(Load(file), nullptr);
        EXPECT_EQ(g_loaderMessages, std::vector<std::string>{message});
    }

    std::filesystem::path folder_;
};

BmpRecipe Picture(int32_t width, int32_t height, uint16_t bitCount,
                  const std::function<uint32_t(int32_t, int32_t)>& value)
{
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bitCount = bitCount;
    recipe.bits = PackRows(width, height, bitCount, value);
    return recipe;
}

} // namespace

TEST_F(BitmapLoaderTest, ScreenSizedCaptureStartsAtTheBottomLeftInRgbOrder)
{
    BmpRecipe recipe = Picture(1024, 768, 24, Pattern);
    recipe.bits[0] = 0x30; // blue
    recipe.bits[1] = 0x20; // green
    recipe.bits[2] = 0x10; // red
    LoadedImage image = Load(BuildBmp(recipe));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 1024);
    EXPECT_EQ(image->height, 768);
    EXPECT_EQ(image->pixels[0], 0x10);
    EXPECT_EQ(image->pixels[1], 0x20);
    EXPECT_EQ(image->pixels[2], 0x30);
    EXPECT_TRUE(g_loaderMessages.empty());
}

TEST_F(BitmapLoaderTest, RowFillIsSkippedForEveryWidth)
{
    for (int32_t width : {1, 2, 3, 5, 6, 7}) {
        LoadedImage image = Load(BuildBmp(Picture(width, 3, 24, Pattern)));
        ASSERT_NE(image, nullptr) << width;
        ExpectPixels(*image, Pattern);
    }
}

TEST_F(BitmapLoaderTest, EveryUncompressedDepthIsConverted)
{
    const std::vector<uint32_t> palette = TestPalette(256);
    for (uint16_t bits : {1, 4, 8}) {
        const uint32_t colors = 1u << bits;
        BmpRecipe recipe = Picture(13, 3, bits, [&](int32_t x, int32_t row) {
            return static_cast<uint32_t>(x * 5 + row) % colors;
        });
        recipe.palette.assign(palette.begin(), palette.begin() + colors);
        LoadedImage image = Load(BuildBmp(recipe));
        ASSERT_NE(image, nullptr) << bits;
        ExpectPixels(*image,
                     [&](int32_t x, int32_t row) { return palette[(x * 5 + row) % colors]; });
    }

    // 5-5-5 words, each 5-bit level widened to 8 bits.
    LoadedImage image = Load(BuildBmp(Picture(9, 2, 16, [](int32_t x, int32_t row) {
        return static_cast<uint32_t>(x << 10 | (31 - x) << 5 | row * 31);
    })));
    ASSERT_NE(image, nullptr);
    const auto widen = [](uint32_t v) { return (v << 3) | (v >> 2); };
    ExpectPixels(*image, [&](int32_t x, int32_t row) {
        return widen(x) << 16 | widen(31 - x) << 8 | widen(row * 31);
    });

    image = Load(BuildBmp(Picture(7, 2, 32, Pattern)));
    ASSERT_NE(image, nullptr);
    ExpectPixels(*image, Pattern);
}

TEST_F(BitmapLoaderTest, EightBitTableIsAsLongAsTheHeaderSays)
{
    const std::vector<uint32_t> palette = TestPalette(256);
    const auto index = [](int32_t x, int32_t row) {
        return static_cast<uint32_t>(x + 4 * row) % 16;
    };

    BmpRecipe full = Picture(4, 4, 8, index);
    full.palette = palette;
    LoadedImage image = Load(BuildBmp(full));
    ASSERT_NE(image, nullptr);
    ExpectPixels(*image, [&](int32_t x, int32_t row) { return palette[index(x, row)]; });

    // Sixteen entries: in a bare DIB the pixels start right after them.
    BmpRecipe short16 = full;
    short16.fileHeader = false;
    short16.clrUsed = 16;
    short16.palette.resize(16);
    image = Load(BuildBmp(short16));
    ASSERT_NE(image, nullptr);
    ExpectPixels(*image, [&](int32_t x, int32_t row) { return palette[index(x, row)]; });
}

TEST_F(BitmapLoaderTest, CoreHeaderLoadsLikeTheInfoHeader)
{
    BmpRecipe info = Picture(6, 3, 4, [](int32_t x, int32_t row) { return (x + row) % 16u; });
    info.palette = TestPalette(16);
    BmpRecipe core = info;
    core.coreHeader = true;
    LoadedImage fromInfo = Load(BuildBmp(info), "info.bmp");
    LoadedImage fromCore = Load(BuildBmp(core), "core.bmp");
    ASSERT_NE(fromInfo, nullptr);
    ASSERT_NE(fromCore, nullptr);
    ExpectPixels(*fromCore, [&](int32_t x, int32_t row) { return PixelAt(*fromInfo, x, row); });
}

TEST_F(BitmapLoaderTest, RunLengthDataWithDeltasAndLineEnds)
{
    const std::vector<uint32_t> palette = TestPalette(16);
    BmpRecipe rle8;
    rle8.width = 6;
    rle8.height = 3;
    rle8.bitCount = 8;
    rle8.compression = kBiRle8;
    rle8.clrUsed = 16;
    rle8.palette = palette;
    // Row 0: three of 1, then literal 2 3 4; row 1: delta 2 right, one row
    // up, then two of 5 in row 2 from x 2, a run past the edge.
    rle8.bits = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 9, 5, 0, 1};
    LoadedImage image = Load(BuildBmp(rle8), "rle8.bmp");
    ASSERT_NE(image, nullptr);
    const uint32_t rows8[3][6] = {
        {1, 1, 1, 2, 3, 4}, {99, 99, 99, 99, 99, 99}, {99, 99, 5, 5, 5, 5}};
    ExpectPixels(*image, [&](int32_t x, int32_t row) {
        const uint32_t i = rows8[row][x];
        return i == 99 ? 0u : palette[i]; // skipped pixels stay black
    });

    BmpRecipe rle4 = rle8;
    rle4.bitCount = 4;
    rle4.compression = kBiRle4;
    // Row 0: five pixels alternating 1 and 2; row 1: delta 1 right, literal
    // 3 4 5 (padded to a word), end of bitmap.
    rle4.bits = {5, 0x12, 0, 0, 0, 2, 1, 0, 0, 3, 0x34, 0x50, 0, 1};
    image = Load(BuildBmp(rle4), "rle4.bmp");
    ASSERT_NE(image, nullptr);
    const uint32_t rows4[3][6] = {
        {1, 2, 1, 2, 1, 99}, {99, 3, 4, 5, 99, 99}, {99, 99, 99, 99, 99, 99}};
    ExpectPixels(*image, [&](int32_t x, int32_t row) {
        const uint32_t i = rows4[row][x];
        return i == 99 ? 0u : palette[i];
    });
}

TEST_F(BitmapLoaderTest, DamagedFilesGiveOneMessageAndNoPicture)
{
    const std::vector<uint8_t> good = BuildBmp(Picture(4, 4, 24, Pattern));

    for (uint32_t size : {108u, 124u}) {
        std::vector<uint8_t> file = good;
        WriteU32(&file[14], size);
        ExpectRefused(file, "Unknown DIB file format.");
    }
    ExpectRefused({good.begin(), good.end() - 1}, "Image file conversion error.");
    std::vector<uint8_t> topDown = good;
    WriteU32(&topDown[22], static_cast<uint32_t>(-4));
    ExpectRefused(topDown, "Image file conversion error.");
    // No pixels: no bitmap to convert into.
    for (size_t side : {18, 22}) {
        std::vector<uint8_t> empty = good;
        WriteU32(&empty[side], 0);
        ExpectRefused(empty, "Out of memory.");
    }

    BmpRecipe huge;
    huge.width = 60000;
    huge.height = 60000;
    huge.bitCount = 8;
    huge.compression = kBiRle8;
    huge.clrUsed = 1;
    huge.palette = {0};
    huge.bits = {0, 1};
    ExpectRefused(BuildBmp(huge), "Out of memory.");
}

TEST_F(BitmapLoaderTest, FileWithoutBmHeaderIsReadAsABareDib)
{
    BmpRecipe bare = Picture(3, 2, 24, Pattern);
    bare.fileHeader = false;
    LoadedImage image = Load(BuildBmp(bare));
    ASSERT_NE(image, nullptr);
    ExpectPixels(*image, Pattern);
}

TEST_F(BitmapLoaderTest, BytesInMemoryDecodeAsTheirFileWould)
{
    const std::vector<uint8_t> file = BuildBmp(Picture(5, 3, 24, Pattern));
    LoadedImage image(DecodeDibImage(file.data(), file.size()));
    ASSERT_NE(image, nullptr);
    ExpectPixels(*image, Pattern);
    EXPECT_EQ(LoadedImage(DecodeDibImage(file.data(), file.size() - 1)), nullptr);
    EXPECT_EQ(g_loaderMessages, std::vector<std::string>{"Image file conversion error."});
}

TEST_F(BitmapLoaderTest, EmptyFileIsReportedAsUnopenable)
{
    const std::string path = PathOf("empty.bmp");
    WriteBytes(path, {});
    EXPECT_EQ(LoadCaptureImage(path.c_str()), nullptr);
    EXPECT_EQ(g_loaderMessages,
              std::vector<std::string>{"Failed to open DIB file " + path + ".\n"});
}

TEST_F(BitmapLoaderTest, MissingFileIsQuiet)
{
    EXPECT_EQ(LoadCaptureImage(PathOf("missing.bmp").c_str()), nullptr);
    EXPECT_EQ(LoadCaptureImage(nullptr), nullptr);
    EXPECT_TRUE(g_loaderMessages.empty());
}
