#pragma once

// What the probes share: a clock with a time limit, waits on it, and a watch
// on a few points of the screen.

#include <windows.h>

#include <utility>
#include <vector>

// Seconds since Start(), on the performance counter; time is up after
// `limit` of them.
class ProbeClock {
public:
    explicit ProbeClock(double limit) : limit_(limit)
    {
        QueryPerformanceFrequency(&frequency_);
        Start();
    }

    void Start() { QueryPerformanceCounter(&start_); }

    double Seconds() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) / frequency_.QuadPart;
    }

    bool TimeLeft() const { return Seconds() < limit_; }

    // Checks `done` about every `periodMs` until it holds, handling the
    // thread's window messages meanwhile: the time it held, or -1 when time
    // ran out first.
    template <typename Done> double WaitFor(Done done, DWORD periodMs = 1) const
    {
        while (TimeLeft()) {
            if (done())
                return Seconds();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, periodMs, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
        }
        return -1;
    }

private:
    double limit_;
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// Points of the screen and the colours they showed when the watch began.
class ScreenWatch {
public:
    ScreenWatch(HDC screen, std::vector<POINT> points) : screen_(screen), points_(std::move(points))
    {
        for (const POINT& point : points_)
            before_.push_back(GetPixel(screen_, point.x, point.y));
    }

    // Whether any of the points shows another colour now.
    bool Changed() const
    {
        for (size_t i = 0; i < points_.size(); ++i)
            if (GetPixel(screen_, points_[i].x, points_[i].y) != before_[i])
                return true;
        return false;
    }

private:
    HDC screen_;
    std::vector<POINT> points_;
    std::vector<COLORREF> before_;
};
