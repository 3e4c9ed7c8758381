// libfake_vsync.so, preloaded into raivel by bench-linux.sh: a display whose
// vertical sync holds each buffer swap until its next refresh, for a virtual
// display (Xvfb) that has none. FAKE_VSYNC_HZ sets the refresh (60). With
// FAKE_VSYNC_WAIT=next, glXSwapBuffers returns at once and the wait for the
// refresh comes in the next call that needs the swap done (glFinish,
// glClear or the next swap), as some drivers have it; otherwise the swap
// itself waits.

#include <GL/glx.h>
#include <dlfcn.h>
#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

int64_t Now()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

int64_t Refresh()
{
    static const int64_t refresh = [] {
        const char* hz = std::getenv("FAKE_VSYNC_HZ");
        const int rate = hz ? std::atoi(hz) : 0;
        return int64_t{1000000} / (rate > 0 ? rate : 60);
    }();
    return refresh;
}

bool WaitInNextCall()
{
    static const bool next = [] {
        const char* wait = std::getenv("FAKE_VSYNC_WAIT");
        return wait && !std::strcmp(wait, "next");
    }();
    return next;
}

// The refresh that shows the last swap, 0 once it has come.
int64_t g_shownAt = 0;

void WaitForSwap()
{
    if (!g_shownAt)
        return;
    const timespec until = {static_cast<time_t>(g_shownAt / 1000000),
                            static_cast<long>(g_shownAt % 1000000) * 1000};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) != 0) {
    }
    g_shownAt = 0;
}

template <typename Function> Function Next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static const auto swap = Next<void (*)(Display*, GLXDrawable)>("glXSwapBuffers");
    WaitForSwap();
    swap(display, drawable);
    g_shownAt = (Now() / Refresh() + 1) * Refresh();
    if (!WaitInNextCall())
        WaitForSwap();
}

extern "C" void glFinish()
{
    static const auto finish = Next<void (*)()>("glFinish");
    finish();
    WaitForSwap();
}

extern "C" void glClear(GLbitfield mask)
{
    static const auto clear = Next<void (*)(GLbitfield)>("glClear");
    WaitForSwap();
    clear(mask);
}
