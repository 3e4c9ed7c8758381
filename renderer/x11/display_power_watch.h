#pragma once

#include <X11/Xlib.h>

#include <cstdint>

// Whether the X server has powered the monitor down (DPMS standby, suspend
// or off), asked at most once a second; the answer feeds what the loop knows
// of the display (display_state.h). On a server without DPMS the monitor
// counts as on. Times are microseconds of the monotonic clock.
class DisplayPowerWatch {
public:
    explicit DisplayPowerWatch(Display* display);

    // Asks the server again once a second has passed since the last time.
    void Check(int64_t now);

    // When the next question is due.
    int64_t NextCheck() const { return next_; }

private:
    Display* display_;
    bool known_;
    int64_t next_ = 0;
};
