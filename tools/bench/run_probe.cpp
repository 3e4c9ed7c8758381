// run_probe SAVER [SECONDS]: starts the saver's run ("SAVER /s") in front of a
// screen of our own and measures its start from outside: the time to its run
// form's window (the process started), to the cloud file written in full
// (the screen captured: the run writes it right after the capture), to the
// desktop file written in full, and to the renderer's first frame on the
// screen. Then it closes the renderer's window and measures how long the
// saver outlives the renderer. Gives up after SECONDS (60) from the start.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "dib_layout.h"
#include "handoff.h"
#include "probe_watch.h"

namespace {

constexpr int kCloudSide = 128;

// The size of a whole 24-bit capture file of width x height.
ULONGLONG CaptureFileSize(int width, int height)
{
    return kFileHeaderSize + kInfoHeaderSize + DibStride(width, 24) * height;
}

bool HasSize(const char* path, ULONGLONG size)
{
    WIN32_FILE_ATTRIBUTE_DATA file;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &file) &&
           ((static_cast<ULONGLONG>(file.nFileSizeHigh) << 32) | file.nFileSizeLow) == size;
}

bool Ended(HANDLE process)
{
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

// The backdrop: red on the left to blue on the right. The saver copies it
// mirrored, so the floor, which shows the middle of the copy, is neither the
// black of an empty screen nor the red of the backdrop under the renderer's
// window.
LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    constexpr int kBand = 8;
    for (int x = 0; x < client.right; x += kBand) {
        const int blue = x * 255 / client.right;
        const HBRUSH brush = CreateSolidBrush(RGB(255 - blue, 64, blue));
        const RECT band = {x, 0, x + kBand, client.bottom};
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
    EndPaint(window, &paint);
    return 0;
}

HWND ShowBackdrop(int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BackdropProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RunProbeBackdrop";
    RegisterClassA(&windowClass);
    const HWND window =
        CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width,
                        height, nullptr, nullptr, windowClass.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: run_probe SAVER [SECONDS]\n");
        return 2;
    }
    ProbeClock clock(argc == 3 ? std::atof(argv[2]) : 60);
    const HDC screen = GetDC(nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    DeleteFileA(kCloudPicturePath);
    DeleteFileA(kDesktopPicturePath);

    // Floor points inside the client area of the renderer's window, the
    // 1024 x 768 one at (0, 0) it opens where the screen cannot switch.
    const std::vector<POINT> floorPoints = {{256, 700}, {512, 700}, {768, 700}, {512, 600}};
    const ScreenWatch empty(screen, floorPoints);
    const HWND backdrop = ShowBackdrop(width, height);
    if (clock.WaitFor([&] { return empty.Changed(); }) < 0) {
        std::fprintf(stderr, "run_probe: the backdrop did not show\n");
        return 1;
    }
    const ScreenWatch floor(screen, floorPoints);

    std::string commandLine = std::string("\"") + argv[1] + "\" /s";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver = {};
    clock.Start();
    if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &saver)) {
        std::fprintf(stderr, "run_probe: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }

    int status = 0;
    // Each step in the order the run takes them.
    const struct {
        const char* name;
        std::function<bool()> done;
    } steps[] = {
        {"start to run form", [] { return FindWindowA(nullptr, kRunFormCaption) != nullptr; }},
        {"start to screen captured and cloud file written",
         [] { return HasSize(kCloudPicturePath, CaptureFileSize(kCloudSide, kCloudSide)); }},
        {"start to desktop file written",
         [&] { return HasSize(kDesktopPicturePath, CaptureFileSize(width, height)); }},
    };
    for (const auto& step : steps) {
        const double at = clock.WaitFor(step.done);
        if (at < 0) {
            std::fprintf(stderr, "run_probe: no %s\n", step.name);
            status = 1;
            break;
        }
        std::printf("%s: %.0f ms\n", step.name, at * 1000);
    }
    const double firstFrame = clock.WaitFor([&] { return floor.Changed(); });
    if (firstFrame < 0) {
        std::fprintf(stderr, "run_probe: no frame on the screen\n");
        status = 1;
    } else {
        std::printf("start to first frame: %.0f ms\n", firstFrame * 1000);
    }
    std::fflush(stdout);

    const HWND window = FindWindowA(kRendererWindowClass, kRendererWindowName);
    DWORD rendererId = 0;
    if (window)
        GetWindowThreadProcessId(window, &rendererId);
    const HANDLE renderer =
        rendererId ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, rendererId) : nullptr;
    if (!renderer) {
        std::fprintf(stderr, "run_probe: no renderer's window to close\n");
        status = 1;
    } else {
        PostMessageA(window, WM_CLOSE, 0, 0);
        const double rendererEnd = clock.WaitFor([&] { return Ended(renderer); });
        const double saverEnd =
            rendererEnd < 0 ? -1 : clock.WaitFor([&] { return Ended(saver.hProcess); });
        if (saverEnd < 0) {
            std::fprintf(stderr, "run_probe: the %s did not end\n",
                         rendererEnd < 0 ? "renderer" : "saver");
            TerminateProcess(renderer, 1);
            status = 1;
        } else {
            std::printf("renderer's end to saver's end: %.0f ms\n",
                        (saverEnd - rendererEnd) * 1000);
        }
        CloseHandle(renderer);
    }
    if (!Ended(saver.hProcess)) {
        TerminateProcess(saver.hProcess, 1);
        status = 1;
    }
    CloseHandle(saver.hThread);
    CloseHandle(saver.hProcess);
    DestroyWindow(backdrop);
    ReleaseDC(nullptr, screen);
    return status;
}
