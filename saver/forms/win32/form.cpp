#include "form.h"
#include "window_class.h"

namespace {

const char kFormClass[] = "RaivelForm";

} // namespace

Form::Form(const char* caption, DWORD style)
{
    static const bool registered =
        RegisterWindowClass(kFormClass, OwnedWindowProc<Form, &Form::HandleMessage>,
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    (void)registered;
    window_ = CreateWindowExA(0, kFormClass, caption, style, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
}

Form::~Form()
{
    if (window_) {
        ForgetWindowOwner(window_);
        DestroyWindow(window_);
    }
}

void Form::SetClientSize(int width, int height)
{
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::EnableTimer(UINT_PTR id, UINT periodMs, bool enabled)
{
    if (id >= kTimerCount || !window_)
        return;
    if (enabled) {
        SetTimer(window_, id, periodMs, nullptr);
        enabledTimers_ |= 1u << id;
    } else {
        KillTimer(window_, id);
        enabledTimers_ &= ~(1u << id);
    }
}

bool Form::TimerEnabled(UINT_PTR id) const
{
    // Any process can post a WM_TIMER: ids past ours are never ours.
    return id < kTimerCount && (enabledTimers_ & (1u << id)) != 0;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT Form::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    window_ = window;
    switch (message) {
    case WM_TIMER:
        // A tick that was already queued when its timer stopped is dropped.
        if (TimerEnabled(wParam))
            OnTimer(wParam);
        return 0;
    case WM_CLOSE:
        OnQueryUnload();
        return 0;
    case WM_NCDESTROY:
        // Gone (closed, or with a parent of another process): forget it.
        window_ = nullptr;
        enabledTimers_ = 0;
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return OnMessage(message, wParam, lParam);
    }
}
