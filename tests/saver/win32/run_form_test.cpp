// The saver's run and preview under Wine, driven from outside: Raivel.scr
// started as a process from a program folder, the renderer (or a stand-in)
// found by its window's name, the capture files read back with the
// renderer's loader, the session's sound output watched as it grows.
//
// Usage: run_form_test FOLDER SOUND PREVIEW [gtest options], Windows paths:
// FOLDER holds the program folders that run_form_test.sh makes, SOUND is
// the session's sound output, PREVIEW the saver's built-in preview picture.
// Runs marked for it print "cursor-trace" lines that the script checks
// against Wine's cursor trace.

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bitmap_loader.h"
#include "loaded_image.h"
#include "wine_paths.h"

namespace {

std::string g_folder;
std::string g_sound;
std::string g_preview;

const char kCaptureFolder[] = "C:\\r_mosk";
const char kCloudFile[] = "C:\\r_mosk\\Zandrel1.bmp";
const char kDesktopFile[] = "C:\\r_mosk\\Zandrel2.bmp";
const char kRendererName[] = "Zandrel_VC";
const char kSaverName[] = "Zandrel_Main";
const char kPreviewName[] = "Preview Window";

// The length of the tones in the program folders' settings.
constexpr DWORD kToneMs = 500;
// How often the sound output is looked at.
constexpr DWORD kSoundStepMs = 50;
// Looks without sound that part two stretches of it: within one, the
// device's own pace leaves shorter gaps.
constexpr DWORD kQuietLooks = 6;
// Wine's channels for the cursor trace: ShowCursor calls, with the process
// and the tick count of each.
const char kCursorTrace[] = "-all,+pid,+timestamp,+cursor";

// Lets this thread's windows have their messages until `done` holds or
// `timeoutMs` has passed; whether it held.
template <typename Done> bool PumpUntil(Done done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void Pump(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

HWND WaitForWindow(const char* name, DWORD timeoutMs)
{
    HWND window = nullptr;
    PumpUntil([&] { return (window = FindWindowA(nullptr, name)) != nullptr; }, timeoutMs);
    return window;
}

// A process of the test; one that a failed test left running is ended.
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() { Reset(); }

    // Starts `commandLine`; `winedebug`, when given, is Wine's debug
    // setting for the new process (and the ones it starts).
    bool Start(std::string commandLine, const char* winedebug = nullptr)
    {
        Reset();
        char previous[256] = {};
        const bool hadSetting = GetEnvironmentVariableA("WINEDEBUG", previous, sizeof previous) > 0;
        if (winedebug)
            SetEnvironmentVariableA("WINEDEBUG", winedebug);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        const bool started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0,
                                            nullptr, nullptr, &startup, &info);
        if (winedebug)
            SetEnvironmentVariableA("WINEDEBUG", hadSetting ? previous : nullptr);
        if (!started)
            return false;
        CloseHandle(info.hThread);
        handle_ = info.hProcess;
        id_ = info.dwProcessId;
        return true;
    }

    // Takes the process that owns `window`.
    bool Open(HWND window)
    {
        Reset();
        GetWindowThreadProcessId(window, &id_);
        handle_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION,
                              FALSE, id_);
        return handle_ != nullptr;
    }

    DWORD Id() const { return id_; }
    bool Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

    // Whether it has ended within `timeoutMs`; this thread's windows are
    // served meanwhile.
    bool WaitForEnd(DWORD timeoutMs) const
    {
        return PumpUntil([this] { return !Running(); }, timeoutMs);
    }

    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(handle_, &code);
        return code;
    }

private:
    void Reset()
    {
        if (!handle_)
            return;
        if (Running()) {
            TerminateProcess(handle_, 99);
            WaitForSingleObject(handle_, 5000);
        }
        CloseHandle(handle_);
        handle_ = nullptr;
    }

    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// The session's sound output, read as it grows, one letter for each look:
// '#' more came and some of it was sound, '.' more came but only silence
// (signed samples: all zero bytes), ' ' nothing came. The device starts
// the file afresh whenever a sound stream opens.
class SoundWatch {
public:
    SoundWatch() { Look(); }

    // Looks every kSoundStepMs for `ms`; the letters.
    std::string Watch(DWORD ms)
    {
        std::string letters;
        for (DWORD waited = 0; waited < ms; waited += kSoundStepMs) {
            Pump(kSoundStepMs);
            letters += Look();
        }
        return letters;
    }

private:
    char Look()
    {
        HANDLE file = CreateFileA(g_sound.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return '?';
        LARGE_INTEGER size = {};
        GetFileSizeEx(file, &size);
        if (size.QuadPart < read_)
            read_ = 0; // a new stream
        const bool grew = size.QuadPart > read_;
        bool audible = false;
        LARGE_INTEGER from = {};
        from.QuadPart = read_;
        SetFilePointerEx(file, from, nullptr, FILE_BEGIN);
        std::vector<char> buffer(1 << 16);
        DWORD got = 0;
        while (read_ < size.QuadPart &&
               ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
               got > 0) {
            for (DWORD i = 0; i < got && !audible; ++i)
                audible = buffer[i] != 0;
            read_ += got;
        }
        CloseHandle(file);
        return audible ? '#' : grew ? '.' : ' ';
    }

    LONGLONG read_ = 0;
};

// Milliseconds of sound in a watch's letters.
DWORD AudibleMs(const std::string& letters)
{
    DWORD ms = 0;
    for (char letter : letters)
        ms += letter == '#' ? kSoundStepMs : 0;
    return ms;
}

// A stretch of sound in a watch's letters: looks [begin, end).
struct Stretch {
    DWORD begin;
    DWORD end;
};

// The stretches of sound in a watch's letters: looks with sound, apart
// where kQuietLooks or more in a row had none.
std::vector<Stretch> SoundStretches(const std::string& letters)
{
    std::vector<Stretch> stretches;
    for (DWORD look = 0; look < letters.size(); ++look) {
        if (letters[look] != '#')
            continue;
        if (stretches.empty() || look - stretches.back().end >= kQuietLooks)
            stretches.push_back({look, look + 1});
        stretches.back().end = look + 1;
    }
    return stretches;
}

// The permissions of a file or folder as SDDL text ("D:(A;;FA;;;SY)...").
std::string Permissions(const char* path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return "none";
    char* text = nullptr;
    std::string sddl = "none";
    if (ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        sddl = text;
        LocalFree(text);
    }
    LocalFree(descriptor);
    return sddl;
}

// Whether SDDL text grants anything to Everyone, Users or Authenticated
// Users (the last field of an allowing entry).
bool OpenToOthers(const std::string& sddl)
{
    for (size_t entry = sddl.find("(A;"); entry != std::string::npos;
         entry = sddl.find("(A;", entry + 1)) {
        const size_t end = sddl.find(')', entry);
        const size_t last = sddl.rfind(';', end);
        const std::string who = sddl.substr(last + 1, end - last - 1);
        for (const char* other : {"WD", "BU", "AU", "S-1-1-0", "S-1-5-32-545", "S-1-5-11"})
            if (who == other)
                return true;
    }
    return false;
}

void OpenToEveryone(const char* path, const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    ACL* dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    EXPECT_EQ(SetNamedSecurityInfoA(const_cast<char*>(path), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    LocalFree(descriptor);
    EXPECT_TRUE(OpenToOthers(Permissions(path))) << path << ": " << Permissions(path);
}

// The screen's pixels in `area` as 0xRRGGBB, top row first.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Screenshot TakeScreenshot(const RECT& area)
{
    Screenshot shot;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(pixels, pixels + static_cast<size_t>(shot.width) * shot.height);
    for (uint32_t& pixel : shot.pixels)
        pixel &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// 0xRRGGBB at (x, y), top row first, of a picture read by the loader.
uint32_t ImagePixel(const RgbImage& image, int x, int y)
{
    const uint8_t* rgb =
        image.pixels + 3 * (static_cast<size_t>(image.height - 1 - y) * image.width + x);
    return uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
}

// Mean difference of the colour channels (0 to 255) between a screenshot
// and `picture` stretched to its size, pixel for nearest pixel.
double MeanDifference(const Screenshot& shot, const RgbImage& picture)
{
    double sum = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const uint32_t seen = shot.At(x, y);
            const uint32_t shown = ImagePixel(picture, x * picture.width / shot.width,
                                              y * picture.height / shot.height);
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs(static_cast<int>((seen >> shift) & 0xFF) -
                                static_cast<int>((shown >> shift) & 0xFF));
        }
    return sum / (3.0 * shot.width * shot.height);
}

// The test pattern's colour at (x, y) on a width x height screen: eight
// vertical bands, darker in the top quarter, so that a mirror image and an
// upside-down one both differ from it.
uint32_t PatternColour(int x, int y, int width, int height)
{
    static const uint32_t kBands[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00,
                                      0x00FFFF, 0xFF00FF, 0xFFFFFF, 0xFF8000};
    const uint32_t colour = kBands[x * 8 / width];
    return y < height / 4 ? (colour >> 1) & 0x7F7F7F : colour;
}

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    RECT area;
    GetClientRect(window, &area);
    std::vector<uint32_t> pixels(static_cast<size_t>(area.right) * area.bottom);
    for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < area.right; ++x)
            pixels[static_cast<size_t>(y) * area.right + x] =
                PatternColour(x, y, area.right, area.bottom);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = area.right;
    info.bmiHeader.biHeight = -area.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SetDIBitsToDevice(dc, 0, 0, area.right, area.bottom, 0, 0, 0, area.bottom, pixels.data(), &info,
                      DIB_RGB_COLORS);
    EndPaint(window, &paint);
    return 0;
}

// A borderless top-level window of this program, shown over `area`.
class TopWindow {
public:
    TopWindow(const RECT& area, WNDPROC procedure, DWORD extendedStyle = 0)
    {
        const std::string className =
            "RunFormTest" + std::to_string(reinterpret_cast<uintptr_t>(procedure));
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = className.c_str();
        RegisterClassA(&windowClass);
        window_ =
            CreateWindowExA(extendedStyle, className.c_str(), "", WS_POPUP | WS_VISIBLE, area.left,
                            area.top, area.right - area.left, area.bottom - area.top, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(window_);
    }
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;
    ~TopWindow() { Destroy(); }

    HWND Handle() const { return window_; }

    void Destroy()
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
    }

private:
    HWND window_ = nullptr;
};

RECT Area(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}

RECT ScreenArea()
{
    return Area(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

class RunFormTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (HWND window = FindWindowA(nullptr, kRendererName)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            PumpUntil([] { return !FindWindowA(nullptr, kRendererName); }, 10000);
        }
    }

    // Starts the saver of program folder `folder` with `arguments`.
    void StartSaver(const char* folder, const std::string& arguments,
                    const char* winedebug = nullptr)
    {
        const std::string program = g_folder + "\\" + folder + "\\Raivel.scr";
        ASSERT_TRUE(saver_.Start("\"" + program + "\" " + arguments, winedebug)) << program;
        started_ = GetTickCount();
    }

    // Waits for the renderer's window and takes its process; null if the
    // window never came.
    HWND WaitForRenderer(DWORD timeoutMs = 20000)
    {
        HWND window = WaitForWindow(kRendererName, timeoutMs);
        if (window) {
            EXPECT_TRUE(renderer_.Open(window));
        }
        return window;
    }

    // Asks the renderer to close, as its window's close box would, and waits
    // for its end, then for the saver's; how long the saver outlived the
    // renderer, in ms, or -1 if either did not end.
    long EndRun(HWND renderer)
    {
        PostMessageA(renderer, WM_CLOSE, 0, 0);
        return SaverEndAfterRenderer();
    }

    // Waits for the renderer's end, then for the saver's; as EndRun.
    long SaverEndAfterRenderer()
    {
        if (!renderer_.WaitForEnd(10000))
            return -1;
        const DWORD rendererEnd = GetTickCount();
        if (!saver_.WaitForEnd(5000))
            return -1;
        return static_cast<long>(GetTickCount() - rendererEnd);
    }

    Process saver_;
    Process renderer_;
    DWORD started_ = 0;
};

using PreviewTest = RunFormTest;

} // namespace

TEST_F(RunFormTest, CaptureFilesHoldTheScreenMirroredAndTheClouds)
{
    const RECT screen = ScreenArea();
    const int width = screen.right;
    const int height = screen.bottom;
    TopWindow pattern(screen, PatternProc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    std::vector<uint32_t> expected(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            expected[static_cast<size_t>(y) * width + x] = PatternColour(x, y, width, height);
    ASSERT_TRUE(PumpUntil([&] { return TakeScreenshot(screen).pixels == expected; }, 5000))
        << "the pattern is not on the screen";

    DeleteFileA(kCloudFile);
    DeleteFileA(kDesktopFile);
    StartSaver("full", "/s");
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr);
    pattern.Destroy();
    EXPECT_GE(EndRun(renderer), 0);

    LoadedImage desktop(LoadCaptureImage(kDesktopFile));
    ASSERT_NE(desktop, nullptr);
    ASSERT_EQ(desktop->width, width);
    ASSERT_EQ(desktop->height, height);
    // Pixel (x, y) of the file is pixel (width - 1 - x, y) of the screen.
    long wrong = 0;
    std::string first;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t seen = ImagePixel(*desktop, x, y);
            const uint32_t shown = PatternColour(width - 1 - x, y, width, height);
            if (seen != shown && wrong++ == 0) {
                char text[64];
                std::snprintf(text, sizeof text, "(%d, %d): %06x instead of %06x", x, y, seen,
                              shown);
                first = text;
            }
        }
    EXPECT_EQ(wrong, 0) << "pixels that are not the screen's, mirrored; the first at " << first;

    LoadedImage clouds(LoadCaptureImage(kCloudFile));
    ASSERT_NE(clouds, nullptr);
    EXPECT_EQ(clouds->width, 128);
    EXPECT_EQ(clouds->height, 128);
}

TEST_F(RunFormTest, CaptureFolderAndPicturesAreTheUsersAlone)
{
    DeleteFileA(kCloudFile);
    DeleteFileA(kDesktopFile);
    RemoveDirectoryA(kCaptureFolder);
    ASSERT_EQ(GetFileAttributesA(kCaptureFolder), INVALID_FILE_ATTRIBUTES);
    for (const char* start : {"fresh", "over a folder left open"}) {
        if (GetFileAttributesA(kCaptureFolder) != INVALID_FILE_ATTRIBUTES) {
            OpenToEveryone(kCaptureFolder, "D:(A;OICI;FA;;;WD)");
            OpenToEveryone(kCloudFile, "D:(A;;FA;;;WD)");
            OpenToEveryone(kDesktopFile, "D:(A;;FA;;;WD)");
        }
        StartSaver("full", "/s");
        HWND renderer = WaitForRenderer();
        ASSERT_NE(renderer, nullptr) << start;
        EXPECT_GE(EndRun(renderer), 0) << start;
        for (const char* path : {kCaptureFolder, kCloudFile, kDesktopFile}) {
            const std::string permissions = Permissions(path);
            std::printf("%s: %s %s\n", start, path, permissions.c_str());
            EXPECT_NE(permissions, "none") << start << ": " << path;
            EXPECT_FALSE(OpenToOthers(permissions)) << start << ": " << path;
        }
    }
    LoadedImage desktop(LoadCaptureImage(kDesktopFile));
    EXPECT_NE(desktop, nullptr) << "the private picture cannot be read back";
}

// Wine can give a folder no other owner and make no junction; a file in the
// folder's place takes the same way: no picture written nor read, the storm
// with its own clouds, no message.
TEST_F(RunFormTest, CaptureFolderThatIsNotTheUsersGetsNoPictureAndTheStormStillRuns)
{
    DeleteFileA(kCloudFile);
    DeleteFileA(kDesktopFile);
    RemoveDirectoryA(kCaptureFolder);
    HANDLE file = CreateFileA(kCaptureFolder, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    StartSaver("full", "/s");
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr);
    Pump(1000);
    EXPECT_TRUE(renderer_.Running()) << "the storm did not go on";
    EXPECT_EQ(FindWindowA("#32770", "Error"), nullptr);
    EXPECT_GE(EndRun(renderer), 0);
    EXPECT_EQ(FileSize(kCaptureFolder), 0) << "something was written in its place";
    DeleteFileA(kCaptureFolder);
}

TEST_F(RunFormTest, SaverEndsWithTheRendererStopsTheMusicAndShowsTheCursor)
{
    SoundWatch sound;
    StartSaver("wav", "/s", kCursorTrace);
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr);
    const std::string playing = sound.Watch(1000);
    EXPECT_GT(AudibleMs(playing), 0u) << "[" << playing << "]";

    const DWORD closed = GetTickCount();
    const long gap = EndRun(renderer);
    std::printf("saver ended %ld ms after the renderer\n", gap);
    EXPECT_GE(gap, 0);
    EXPECT_LT(gap, 1000);
    EXPECT_EQ(saver_.ExitCode(), 0u);
    std::printf("cursor-trace show %04lx %lu %lu\n", saver_.Id(), closed, GetTickCount());

    sound.Watch(300); // what the device still held
    const std::string after = sound.Watch(1000);
    EXPECT_EQ(after.find_first_not_of(' '), std::string::npos)
        << "sound after the end: [" << after << "]";
}

TEST_F(RunFormTest, MissingRendererEndsTheRunAtItsFirstTick)
{
    for (const char* arguments : {"/s", ""}) {
        StartSaver("missing", arguments, kCursorTrace);
        const bool seen = WaitForWindow(kSaverName, 10000) != nullptr;
        const DWORD windowSeen = GetTickCount();
        ASSERT_TRUE(saver_.WaitForEnd(5000)) << arguments;
        const DWORD ended = GetTickCount();
        std::printf("\"%s\": saver ended %lu ms after its start, %lu ms after its window came\n",
                    arguments, ended - started_, ended - windowSeen);
        EXPECT_TRUE(seen) << arguments;
        EXPECT_LT(ended - windowSeen, 1000u) << arguments;
        EXPECT_EQ(saver_.ExitCode(), 0u);
        std::printf("cursor-trace %s %04lx %lu %lu\n", *arguments ? "show" : "none", saver_.Id(),
                    windowSeen, ended);
    }
}

TEST_F(RunFormTest, SlowRendererDoesNotEndTheRunEarly)
{
    StartSaver("slow", "/s");
    HWND renderer = WaitForRenderer(10000);
    ASSERT_NE(renderer, nullptr);
    const DWORD shown = GetTickCount() - started_;
    EXPECT_TRUE(saver_.Running()) << "gone before the window came";
    Pump(1500 - std::min<DWORD>(GetTickCount() - started_, 1500));
    EXPECT_TRUE(saver_.Running()) << "gone 1.5 s after its start";
    const long gap = SaverEndAfterRenderer();
    std::printf("the stand-in's window came %lu ms after the saver's start; the saver ended %ld ms "
                "after the stand-in\n",
                shown, gap);
    EXPECT_GE(gap, 0);
    EXPECT_LT(gap, 1000);
}

TEST_F(RunFormTest, CloseRequestEndsTheSaverAndTheMusicButNotTheRenderer)
{
    SoundWatch sound;
    StartSaver("wav", "/s");
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr);
    const std::string playing = sound.Watch(1000);
    EXPECT_GT(AudibleMs(playing), 0u) << "[" << playing << "]";

    HWND saverWindow = FindWindowA(nullptr, kSaverName);
    ASSERT_NE(saverWindow, nullptr);
    const DWORD asked = GetTickCount();
    PostMessageA(saverWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(saver_.WaitForEnd(5000));
    std::printf("saver ended %lu ms after the close request\n", GetTickCount() - asked);

    sound.Watch(300);
    const std::string after = sound.Watch(1000);
    EXPECT_EQ(after.find_first_not_of(' '), std::string::npos)
        << "sound after the end: [" << after << "]";
    EXPECT_TRUE(renderer_.Running());
    EXPECT_EQ(FindWindowA(nullptr, kRendererName), renderer);

    PostMessageA(renderer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(renderer_.WaitForEnd(10000));
}

TEST_F(RunFormTest, WavFromTheSettingsLoops)
{
    SoundWatch sound;
    StartSaver("wav", "");
    const std::string heard = sound.Watch(4000);
    std::printf("sound, a letter each %lu ms: [%s]\n", kSoundStepMs, heard.c_str());
    EXPECT_GT(AudibleMs(heard), 2 * kToneMs);
    EXPECT_NE(heard.find('#', heard.size() - 500 / kSoundStepMs), std::string::npos)
        << "no sound at the end, 3.5 s after the start";
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr);
    EXPECT_GE(EndRun(renderer), 0);
}

TEST_F(RunFormTest, Mp3FromTheSettingsIsRestartedAfterItsEnd)
{
    SoundWatch sound;
    StartSaver("mp3", "");
    const std::string heard = sound.Watch(6000);
    std::printf("sound, a letter each %lu ms: [%s]\n", kSoundStepMs, heard.c_str());
    const std::vector<Stretch> plays = SoundStretches(heard);
    for (const Stretch& play : plays)
        std::printf("played from %lu ms to %lu ms\n", play.begin * kSoundStepMs,
                    play.end * kSoundStepMs);
    ASSERT_GE(plays.size(), 3u) << "not restarted after its end, and again";
    EXPECT_LT((plays[1].begin - plays[0].end) * kSoundStepMs, 2000u);
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr);
    EXPECT_GE(EndRun(renderer), 0);
}

TEST_F(RunFormTest, MidiFromTheSettingsPlaysNothing)
{
    SoundWatch sound;
    StartSaver("midi", "");
    const std::string heard = sound.Watch(3000);
    EXPECT_EQ(heard.find_first_not_of(' '), std::string::npos) << "[" << heard << "]";
    HWND renderer = WaitForRenderer();
    ASSERT_NE(renderer, nullptr);
    EXPECT_GE(EndRun(renderer), 0);
}

TEST_F(PreviewTest, WindowFillsItsHostAndEndsWithIt)
{
    for (int scale : {1, 2}) {
        const RECT area = Area(200, 150, 152 * scale, 112 * scale);
        TopWindow host(area, DefWindowProcA);
        StartSaver("missing", "/p " + std::to_string(reinterpret_cast<uintptr_t>(host.Handle())));
        HWND preview = nullptr;
        PumpUntil(
            [&] {
                preview = FindWindowExA(host.Handle(), nullptr, nullptr, kPreviewName);
                return preview && IsWindowVisible(preview);
            },
            10000);
        ASSERT_NE(preview, nullptr) << "no preview window in the host";
        EXPECT_TRUE(IsWindowVisible(preview));
        const LONG style = GetWindowLongA(preview, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_FALSE(style & (WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME));
        RECT covered;
        GetWindowRect(preview, &covered);
        EXPECT_TRUE(EqualRect(&covered, &area)) << "the preview does not cover its host";
        HWND picture = GetWindow(preview, GW_CHILD);
        ASSERT_NE(picture, nullptr) << "no picture in the preview";
        EXPECT_TRUE(IsWindowVisible(picture));
        GetWindowRect(picture, &covered);
        EXPECT_TRUE(EqualRect(&covered, &area)) << "the picture does not cover the host";

        const DWORD destroyed = GetTickCount();
        host.Destroy();
        EXPECT_TRUE(saver_.WaitForEnd(5000)) << "the preview outlived its host";
        std::printf("%d x %d host: the preview ended %lu ms after its host\n", 152 * scale,
                    112 * scale, GetTickCount() - destroyed);
    }
}

// Wine 8 does not show what a process draws in a child of another process's
// window (its device context gets no X drawable), so the picture is looked
// at with the one host whose drawing reaches the screen: the desktop window.
TEST_F(PreviewTest, StillIsStretchedOverItsHost)
{
    LoadedImage still(LoadCaptureImage(g_preview.c_str()));
    ASSERT_NE(still, nullptr) << g_preview;
    ASSERT_EQ(still->width, 152);
    ASSERT_EQ(still->height, 112);
    StartSaver("missing", "/p " + std::to_string(reinterpret_cast<uintptr_t>(GetDesktopWindow())));
    HWND preview = WaitForWindow(kPreviewName, 10000);
    ASSERT_NE(preview, nullptr);
    double difference = 255;
    PumpUntil(
        [&] {
            difference = MeanDifference(TakeScreenshot(ScreenArea()), *still);
            return difference < 8;
        },
        5000);
    std::printf("the screen differs from the still stretched to it by %.2f on average\n",
                difference);
    EXPECT_LT(difference, 8);
    PostMessageA(preview, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver_.WaitForEnd(5000));
}

TEST_F(PreviewTest, NoHostWindowEndsThePreviewAtOnce)
{
    HWND gone;
    {
        TopWindow window(Area(0, 0, 10, 10), DefWindowProcA);
        gone = window.Handle();
    }
    ASSERT_FALSE(IsWindow(gone));
    for (uintptr_t host : {uintptr_t{0}, reinterpret_cast<uintptr_t>(gone)}) {
        StartSaver("missing", "/p " + std::to_string(host));
        EXPECT_TRUE(saver_.WaitForEnd(5000)) << host;
        std::printf("host %lu: the preview ended %lu ms after its start\n",
                    static_cast<unsigned long>(host), GetTickCount() - started_);
        EXPECT_EQ(saver_.ExitCode(), 0u);
        EXPECT_EQ(FindWindowA(nullptr, kPreviewName), nullptr);
    }
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: run_form_test FOLDER SOUND PREVIEW [gtest options]\n");
        return 2;
    }
    g_folder = argv[1];
    g_sound = argv[2];
    g_preview = argv[3];
    return RUN_ALL_TESTS();
}
