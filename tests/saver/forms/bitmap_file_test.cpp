// The saver's bitmap files, read back by the renderer's loader.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bitmap_file.h"
#include "bitmap_loader.h"
#include "scratch_folder.h"

TEST(BitmapFile, PicturesOfEveryRowPaddingReadBackExactly)
{
    const auto folder = ScratchFolder("raivel-bitmap-file-test");
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "picture.bmp").string();
    // A source with a fill of its own, and one whose rows follow each other
    // as the file's do (written in one go when they need no fill).
    for (const bool packed : {false, true})
        for (int32_t width : {1, 2, 3, 4, 5, 1023}) {
            const int32_t height = 3;
            const size_t stride = packed ? (size_t{3} * width + 3) / 4 * 4 : size_t{3} * width + 7;
            std::vector<uint8_t> rows(stride * height);
            for (size_t i = 0; i < rows.size(); ++i)
                rows[i] = static_cast<uint8_t>(i * 13 + 5);
            ASSERT_TRUE(SaveBitmap24(path, width, height, rows.data(), stride)) << width;

            EXPECT_EQ(std::filesystem::file_size(path),
                      54 + (size_t{3} * width + 3) / 4 * 4 * height);
            RgbImage* image = LoadCaptureImage(path.c_str());
            ASSERT_NE(image, nullptr) << width;
            EXPECT_EQ(image->width, width);
            EXPECT_EQ(image->height, height);
            for (int32_t row = 0; row < height; ++row)
                for (int32_t x = 0; x < width; ++x) {
                    const uint8_t* bgr = &rows[row * stride + 3 * x];
                    const uint8_t* rgb = image->pixels + 3 * (size_t{1} * row * width + x);
                    ASSERT_EQ(rgb[0], bgr[2]);
                    ASSERT_EQ(rgb[1], bgr[1]);
                    ASSERT_EQ(rgb[2], bgr[0]);
                }
            FreeRgbImage(image);
        }
    EXPECT_FALSE(SaveBitmap24((folder / "missing" / "x.bmp").string(), 2, 2,
                              std::vector<uint8_t>(12).data(), 6));
    std::filesystem::remove_all(folder);
}

namespace {

int g_opened = 0;

// Opens the file for reading only: every write to it fails.
std::FILE* OpenUnwritable(const std::string& path)
{
    ++g_opened;
    return std::fopen(path.c_str(), "rb");
}

} // namespace

TEST(BitmapFile, NoReaderFindsHalfAPicture)
{
    const auto folder = ScratchFolder("raivel-bitmap-file-failures");
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "picture.bmp").string();
    const std::vector<uint8_t> rows(12);
    // A picture no file can hold opens nothing, and the earlier picture
    // there goes: it must not stand in for this one.
    const auto earlier = [&path] { std::fclose(std::fopen(path.c_str(), "wb")); };
    earlier();
    EXPECT_FALSE(SaveBitmap24(path, 0, 2, rows.data(), 6, OpenUnwritable));
    EXPECT_FALSE(std::filesystem::exists(path));
    earlier();
    EXPECT_FALSE(SaveBitmap24(path, 2, -2, rows.data(), 6, OpenUnwritable));
    EXPECT_EQ(g_opened, 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    // A file whose writing fails is gone afterwards.
    EXPECT_FALSE(SaveBitmap24(path, 2, 2, rows.data(), 6, OpenUnwritable));
    EXPECT_EQ(g_opened, 1);
    EXPECT_FALSE(std::filesystem::exists(path));
    std::filesystem::remove_all(folder);
}
