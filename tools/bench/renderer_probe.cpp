// renderer_probe [--first-frame] PROGRAM [SECONDS]: starts the renderer
// program (or another GL program) and measures it from outside, through the
// screen: the time to its first frame, then, unless --first-frame, the time
// between two flashes (601 steps of the storm apart), the steps a second
// that makes, its CPU time a second between them, and its peak memory. Then
// it closes the program's window and waits for it to end. Gives up after
// SECONDS (600) without the frames it waits for. The flashes' times are also
// printed on Windows' tick count, the clock of Wine's +timestamp trace, so
// that a trace of the program's buffer swaps gives its frame rate between
// them (tools/bench/bench-wine.sh).

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "probe_watch.h"

namespace {

// A new bolt, and with it the flash, every this many steps of the storm.
constexpr int kStepsPerFlash = 601;
// A rise of the floor's brightness (red + green + blue) this large is a flash.
constexpr int kFlashRise = 90;

HDC g_screen = nullptr;

int Brightness(int x, int y)
{
    const COLORREF colour = GetPixel(g_screen, x, y);
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

// User plus kernel time of the process, in seconds.
double CpuSeconds(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
}

// Waits for the floor at (x, y) to brighten by a flash's rise; the time it
// did, or a negative one when time ran out.
double WaitForFlash(const ProbeClock& clock, int x, int y)
{
    int last = Brightness(x, y);
    return clock.WaitFor(
        [&] {
            const int level = Brightness(x, y);
            const bool flash = level >= last + kFlashRise;
            last = level;
            return flash;
        },
        5);
}

// The visible top-level window of the process `id` that is not a tool
// window (the renderer's covers over other monitors are), or null.
HWND WindowOf(DWORD id)
{
    struct Search {
        DWORD id;
        HWND found;
    } search = {id, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search->id || !IsWindowVisible(window) ||
                GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

int main(int argc, char** argv)
{
    const bool firstFrameOnly = argc > 1 && std::string(argv[1]) == "--first-frame";
    argv += firstFrameOnly;
    argc -= firstFrameOnly;
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: renderer_probe [--first-frame] PROGRAM [SECONDS]\n");
        return 2;
    }
    ProbeClock clock(argc == 3 ? std::atof(argv[2]) : 600);
    g_screen = GetDC(nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);

    // Floor points near the bottom of the screen, as they are before the start.
    const ScreenWatch floor(g_screen, {{width / 4, height - 8},
                                       {width / 2, height - 8},
                                       {3 * width / 4, height - 8},
                                       {width / 2, height - 40}});

    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    clock.Start();
    if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "renderer_probe: cannot start %s (error %lu)\n", argv[1],
                     GetLastError());
        return 1;
    }

    int status = 1;
    const double firstFrame = clock.WaitFor([&] { return floor.Changed(); });
    if (firstFrame < 0) {
        std::fprintf(stderr, "renderer_probe: no frame on the screen\n");
    } else {
        std::printf("start to first frame: %.0f ms\n", firstFrame * 1000);
        std::fflush(stdout);
    }
    if (firstFrame >= 0 && firstFrameOnly) {
        status = 0;
    } else if (firstFrame >= 0) {

        // The flash of the first frame, then two more, kStepsPerFlash apart.
        const POINT centre = {width / 2, height - 8};
        const double second = WaitForFlash(clock, centre.x, centre.y);
        const DWORD secondTick = GetTickCount();
        const double secondCpu = CpuSeconds(process.hProcess);
        const double third = second < 0 ? -1 : WaitForFlash(clock, centre.x, centre.y);
        const DWORD thirdTick = GetTickCount();
        const double thirdCpu = CpuSeconds(process.hProcess);
        if (third < 0) {
            std::fprintf(stderr, "renderer_probe: no two flashes after the first\n");
        } else {
            const double interval = third - second;
            std::printf("flash interval: %.2f s\n", interval);
            std::printf("steps a second: %.1f\n", kStepsPerFlash / interval);
            std::printf("flashes at ticks: %lu %lu\n", secondTick, thirdTick);
            std::printf("CPU time a second as Wine counts it (without Mesa's threads): %.0f ms\n",
                        (thirdCpu - secondCpu) * 1000 / interval);
            status = 0;
        }

        PROCESS_MEMORY_COUNTERS memory = {};
        if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
            std::printf("peak working set: %.1f MiB\n", memory.PeakWorkingSetSize / 1048576.0);
            std::printf("peak pagefile usage: %.1f MiB\n", memory.PeakPagefileUsage / 1048576.0);
        }
    }
    std::fflush(stdout);

    const HWND window = WindowOf(process.dwProcessId);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (!window || WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "renderer_probe: the program did not end on WM_CLOSE\n");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
        status = 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ReleaseDC(nullptr, g_screen);
    return status;
}
