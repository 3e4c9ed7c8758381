#include "frame_timer.h"

#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

FrameTimer::FrameTimer()
{
    QueryPerformanceFrequency(&frequency_);
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    if (!timer_) {
        timer_ = CreateWaitableTimerW(nullptr, FALSE, nullptr);
        finePeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
}

FrameTimer::~FrameTimer()
{
    if (timer_)
        CloseHandle(timer_);
    if (finePeriod_)
        timeEndPeriod(1);
}

int64_t FrameTimer::Now() const
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const int64_t ticks = now.QuadPart;
    const int64_t perSecond = frequency_.QuadPart;
    return ticks / perSecond * 1000000 + ticks % perSecond * 1000000 / perSecond;
}

void FrameTimer::WaitUntil(int64_t time) const
{
    const int64_t wait = time - Now();
    if (wait <= 0)
        return;
    DWORD handles = 0;
    DWORD milliseconds = static_cast<DWORD>((wait + 999) / 1000);
    if (timer_) {
        LARGE_INTEGER due;
        due.QuadPart = -wait * 10; // relative, in 100 ns units
        if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
            handles = 1;
            milliseconds = INFINITE;
        }
    }
    MsgWaitForMultipleObjectsEx(handles, &timer_, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}
