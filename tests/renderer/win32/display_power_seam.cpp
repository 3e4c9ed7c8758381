// A test build of the renderer with a seam for what Windows tells it of the
// display, which Wine never does: from its first frame on it reads commands
// from its standard input, a line each, and answers each with a line on its
// standard output.
//
//   notice SETTING VALUE  the change of a power setting (display, energy-saver
//                         or battery-saver) with its value, sent to the
//                         storm's window as Windows sends it: "sent TIME"
//   frames                the frames drawn so far: "COUNT"
//   frame N               the Nth frame drawn (from 0): "STEPS TIME", the
//                         steps the storm had taken for it and when it
//                         started
//
// The end of the input asks the storm's window to close.
//
// Times are microseconds on the performance counter.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "display_notices.h"
#include "frame_marks.h"
#include "renderer_window.h"

namespace {

struct Frame {
    int64_t steps;
    int64_t time;
};

std::mutex g_lock;
std::vector<Frame> g_frames;

int64_t Now()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<int64_t>(now.QuadPart * 1000000.0 / frequency.QuadPart);
}

// The notice of `setting` changed to `value`, as WM_POWERBROADCAST brings
// it; false for a setting we do not know.
bool SendNotice(const std::string& setting, DWORD value)
{
    const GUID* id = setting == "display"         ? &kConsoleDisplayState
                     : setting == "energy-saver"  ? &kEnergySaverStatus
                     : setting == "battery-saver" ? &kPowerSavingStatus
                                                  : nullptr;
    if (!id)
        return false;
    alignas(
        POWERBROADCAST_SETTING) unsigned char notice[sizeof(POWERBROADCAST_SETTING) + sizeof value];
    auto* change = reinterpret_cast<POWERBROADCAST_SETTING*>(notice);
    change->PowerSetting = *id;
    change->DataLength = sizeof value;
    std::memcpy(change->Data, &value, sizeof value);
    SendMessageA(g_window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                 reinterpret_cast<LPARAM>(change));
    return true;
}

void Serve()
{
    char line[128];
    while (std::fgets(line, sizeof line, stdin)) {
        char setting[32];
        unsigned long value = 0;
        long index = 0;
        if (std::sscanf(line, "notice %31s %lu", setting, &value) == 2) {
            const int64_t sent = Now();
            if (SendNotice(setting, value))
                std::printf("sent %lld\n", static_cast<long long>(sent));
            else
                std::printf("unknown setting %s\n", setting);
        } else if (std::strncmp(line, "frames", 6) == 0) {
            const std::lock_guard<std::mutex> hold(g_lock);
            std::printf("%zu\n", g_frames.size());
        } else if (std::sscanf(line, "frame %ld", &index) == 1) {
            const std::lock_guard<std::mutex> hold(g_lock);
            if (index >= 0 && static_cast<size_t>(index) < g_frames.size())
                std::printf("%lld %lld\n", static_cast<long long>(g_frames[index].steps),
                            static_cast<long long>(g_frames[index].time));
            else
                std::printf("no frame %ld\n", index);
        } else {
            std::printf("unknown command %s", line);
        }
        std::fflush(stdout);
    }
    PostMessageA(g_window, WM_CLOSE, 0, 0);
}

} // namespace

void MarkFrame(int64_t steps)
{
    static std::once_flag serving;
    std::call_once(serving, [] { std::thread(Serve).detach(); });
    const std::lock_guard<std::mutex> hold(g_lock);
    g_frames.push_back({steps, Now()});
}
