// On Windows the loader's messages are message boxes captioned "Error": a
// watcher reads each box's text and closes it, as a user would.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "bitmap_loader.h"
#include "bmp_builder.h"

namespace {

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

// Waits up to five seconds for a message box captioned "Error", and gives
// its text after pressing its OK button.
std::string CloseErrorBox()
{
    for (int i = 0; i < 500; ++i) {
        if (HWND box = FindWindowA("#32770", "Error")) {
            char text[512] = {};
            GetDlgItemTextA(box, kMessageTextId, text, sizeof text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return text;
        }
        Sleep(10);
    }
    return "(no message box)";
}

std::string Scratch(const char* name)
{
    const auto folder = std::filesystem::temp_directory_path() / "raivel-message-box-test";
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}

std::string LoadAndReadMessage(const std::string& path)
{
    std::string text;
    std::thread watcher([&text] { text = CloseErrorBox(); });
    EXPECT_EQ(LoadCaptureImage(path.c_str()), nullptr);
    watcher.join();
    return text;
}

} // namespace

TEST(LoaderMessageBox, DamagedFilesAreReportedInAnErrorBox)
{
    BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.bits = PackRows(2, 2, 24, [](int32_t, int32_t) { return 0u; });
    std::vector<uint8_t> file = BuildBmp(spec);

    const std::string truncated = Scratch("truncated.bmp");
    WriteFile(truncated, {file.begin(), file.end() - 1});
    EXPECT_EQ(LoadAndReadMessage(truncated), "Image file conversion error.");

    file[14] = 108; // a version 4 header
    const std::string v4 = Scratch("v4.bmp");
    WriteFile(v4, file);
    EXPECT_EQ(LoadAndReadMessage(v4), "Unknown DIB file format.");

    const std::string empty = Scratch("empty.bmp");
    WriteFile(empty, {});
    EXPECT_EQ(LoadAndReadMessage(empty), "Failed to open DIB file " + empty + ".\n");
}
