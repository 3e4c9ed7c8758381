// The renderer program run for real under Wine: started as a process, found
// by its window's name, driven by keys, mouse and window messages.
//
// Usage: renderer_process_test PATH/TO/Raivel.dll [gtest options]

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_builder.h"
#include "error_box.h"
#include "wine_paths.h"

namespace {

std::string g_rendererPath;

const char kCloudFile[] = "C:\\r_mosk\\Zandrel1.bmp";
const char kDesktopFile[] = "C:\\r_mosk\\Zandrel2.bmp";

BmpRecipe Picture(int32_t width, int32_t height)
{
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bits = PackRows(width, height, 24, [](int32_t x, int32_t row) {
        return static_cast<uint32_t>((x * 4) & 0xFF) << 16 | static_cast<uint32_t>(row & 0xFF);
    });
    return recipe;
}

void WriteCaptureFiles()
{
    CreateDirectoryA("C:\\r_mosk", nullptr);
    WriteBytes(kCloudFile, BuildBmp(Picture(128, 128)));
    WriteBytes(kDesktopFile, BuildBmp(Picture(1024, 768)));
}

DEVMODEA CurrentMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

HWND FindRenderer()
{
    return FindWindowA("OpenGL", "Zandrel_VC");
}

class RendererRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteCaptureFiles();
        modeBefore_ = CurrentMode();
    }

    void TearDown() override
    {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    void Start()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + g_rendererPath + "\"";
        ASSERT_TRUE(CreateProcessA(g_rendererPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                   0, nullptr, nullptr, &startup, &process_))
            << g_rendererPath;
    }

    // Waits for the renderer's window; null if it never came.
    HWND WaitForWindow(DWORD timeoutMs = 10000)
    {
        for (DWORD waited = 0; waited < timeoutMs; waited += 10) {
            if (HWND window = FindRenderer())
                return window;
            if (!Running())
                return nullptr;
            Sleep(10);
        }
        return nullptr;
    }

    bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    // Exit code once the process has ended within `timeoutMs`, else -1.
    long WaitForExit(DWORD timeoutMs)
    {
        if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<long>(code);
    }

    void ExpectModeRestored()
    {
        const DEVMODEA after = CurrentMode();
        EXPECT_EQ(after.dmPelsWidth, modeBefore_.dmPelsWidth);
        EXPECT_EQ(after.dmPelsHeight, modeBefore_.dmPelsHeight);
        EXPECT_EQ(after.dmBitsPerPel, modeBefore_.dmBitsPerPel);
    }

    PROCESS_INFORMATION process_ = {};
    DEVMODEA modeBefore_ = {};
};

using RendererFullScreen = RendererRun;
using RendererWindowed = RendererRun;

} // namespace

TEST_F(RendererFullScreen, WindowIsThereByNameUntilACloseRequestEndsTheProcess)
{
    Start();
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "OpenGL");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, 1024);
    EXPECT_EQ(frame.bottom, 768);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(5000), 0);
    EXPECT_EQ(FindRenderer(), nullptr);
    ExpectModeRestored();
}

TEST_F(RendererFullScreen, ScreenSaverAndMonitorPowerRequestsAreSwallowed)
{
    Start();
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    Sleep(300);
    EXPECT_TRUE(Running());
    EXPECT_TRUE(IsWindowVisible(window));

    // Other system commands keep their usual meaning.
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForExit(5000), 0);
}

TEST_F(RendererFullScreen, MouseMovesAndClicksDoNothing)
{
    Start();
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    SetCursorPos(100, 100);
    for (int i = 0; i < 10; ++i) {
        mouse_event(MOUSEEVENTF_MOVE, 30, 20, 0, 0);
        Sleep(20);
    }
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    Sleep(500);
    EXPECT_TRUE(Running());
    EXPECT_EQ(FindRenderer(), window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(5000), 0);
}

TEST_F(RendererFullScreen, WithoutCaptureFilesTheStormRunsQuietly)
{
    DeleteFileA(kCloudFile);
    DeleteFileA(kDesktopFile);
    Start();
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Sleep(300);
    EXPECT_TRUE(Running());
    EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(5000), 0);
}

TEST_F(RendererFullScreen, DamagedCaptureFileIsReportedAndTheOtherStillShows)
{
    std::vector<uint8_t> damaged = BuildBmp(Picture(128, 128));
    damaged.resize(damaged.size() / 2);
    WriteBytes(kCloudFile, damaged);
    Start();
    EXPECT_EQ(CloseErrorBox(process_.dwProcessId, 10000), "Image file conversion error.");
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Sleep(300);
    EXPECT_TRUE(Running());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(5000), 0);

    // Both damaged: two messages, then the storm with its built-in clouds.
    WriteBytes(kDesktopFile, damaged);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
    Start();
    EXPECT_EQ(CloseErrorBox(process_.dwProcessId, 10000), "Image file conversion error.");
    EXPECT_EQ(CloseErrorBox(process_.dwProcessId, 10000), "Image file conversion error.");
    window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(5000), 0);
    ExpectModeRestored();
}

TEST_F(RendererWindowed, RefusedModeGivesAFramedWindowOfTheRequestedClientSize)
{
    Start();
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_DLGFRAME);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right - client.left, 1024);
    EXPECT_EQ(client.bottom - client.top, 768);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_GT(frame.right - frame.left, 1024);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(5000), 0);
    ExpectModeRestored();
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: renderer_process_test PATH/TO/Raivel.dll [gtest options]\n");
        return 2;
    }
    g_rendererPath = WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
