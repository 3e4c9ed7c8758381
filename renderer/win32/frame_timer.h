#pragma once

#include <windows.h>

#include <cstdint>

// The renderer's clock and its sleep between frames. Windows' default timer
// tick (15.6 ms) is too coarse for 60 steps a second: the sleep runs on a
// high-resolution waitable timer where Windows has one (Windows 10, version
// 1803 and later), or else on a plain one with the system's timer period
// set to 1 ms for as long as this object lives.
class FrameTimer {
public:
    FrameTimer();
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;
    ~FrameTimer();

    // Microseconds on the performance counter.
    int64_t Now() const;

    // Sleeps until `time` on that clock, or until a message arrives for the
    // thread, whichever comes first.
    void WaitUntil(int64_t time) const;

private:
    LARGE_INTEGER frequency_;
    HANDLE timer_ = nullptr;
    bool finePeriod_ = false;
};
