// On Windows the loader's messages are message boxes captioned "Error": a
// watcher reads each box's text and closes it, as a user would.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "bitmap_loader.h"
#include "bmp_builder.h"
#include "error_box.h"
#include "scratch_folder.h"

namespace {

const std::filesystem::path kFolder = ScratchFolder("raivel-message-box-test");

std::string Scratch(const char* name)
{
    std::filesystem::create_directories(kFolder);
    return (kFolder / name).string();
}

// The box's text; the file was closed before the box showed.
std::string LoadAndReadMessage(const std::string& path)
{
    std::string text;
    bool held = false;
    std::thread watcher([&] {
        text = CloseErrorBox(GetCurrentProcessId(), 5000, [&] { held = HoldsAFileIn(kFolder); });
    });
    EXPECT_EQ(LoadCaptureImage(path.c_str()), nullptr);
    watcher.join();
    EXPECT_FALSE(held) << path << " was still open while its message showed";
    return text;
}

} // namespace

TEST(LoaderMessageBox, DamagedFilesAreReportedInAnErrorBox)
{
    BmpRecipe recipe;
    recipe.width = 2;
    recipe.height = 2;
    recipe.bits = PackRows(2, 2, 24, [](int32_t, int32_t) { return 0u; });
    std::vector<uint8_t> file = BuildBmp(recipe);

    const std::string truncated = Scratch("truncated.bmp");
    WriteBytes(truncated, {file.begin(), file.end() - 1});
    EXPECT_EQ(LoadAndReadMessage(truncated), "Image file conversion error.");

    std::vector<uint8_t> noPixels = file;
    noPixels[18] = 0; // no pixels across
    const std::string noWidth = Scratch("no-width.bmp");
    WriteBytes(noWidth, noPixels);
    EXPECT_EQ(LoadAndReadMessage(noWidth), "Out of memory.");

    file[14] = 108; // a version 4 header
    const std::string v4 = Scratch("v4.bmp");
    WriteBytes(v4, file);
    EXPECT_EQ(LoadAndReadMessage(v4), "Unknown DIB file format.");

    const std::string empty = Scratch("empty.bmp");
    WriteBytes(empty, {});
    EXPECT_EQ(LoadAndReadMessage(empty), "Failed to open DIB file " + empty + ".\n");
}
