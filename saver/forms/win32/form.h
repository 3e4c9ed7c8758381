#pragma once

#include <windows.h>

// A form: a top-level window with a caption, created hidden, that hands its
// periodic timers and close requests to its handlers.
class Form {
public:
    Form(const char* caption, DWORD style);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Window() const { return window_; }

    // Sizes the window so that its client area is width x height, where it
    // stands.
    void SetClientSize(int width, int height);

    // Starts or stops the periodic timer `id` (below 32); each tick calls
    // OnTimer(id).
    void EnableTimer(UINT_PTR id, UINT periodMs, bool enabled);
    bool TimerEnabled(UINT_PTR id) const;

protected:
    virtual void OnTimer(UINT_PTR) {}
    // A close request has reached the window, from whatever source: by
    // default the window goes.
    virtual void OnQueryUnload() { DestroyWindow(window_); }
    // Messages the form does not handle itself.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    static constexpr UINT_PTR kTimerCount = 32;

    HWND window_ = nullptr;      // null once the window is gone
    unsigned enabledTimers_ = 0; // bit n: timer n runs
};
