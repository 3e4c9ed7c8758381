#pragma once

#include <windows.h>

// Registers a window class of this program: `procedure`, the arrow cursor
// and `background` (none by default). True when the class is there.
bool RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background = nullptr);

// The window procedure of a window that belongs to an object of ours: the
// object, handed to CreateWindowExA as its creation data, is kept in the
// window's user data from WM_NCCREATE on and receives every message through
// `Handle`, WM_NCDESTROY last, after which the window forgets it. Messages
// before WM_NCCREATE, or after the object let go (ForgetWindowOwner), get
// the default handling.
template <typename Owner, LRESULT (Owner::*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!owner)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return (owner->*Handle)(window, message, wParam, lParam);
}

// The object lets go of its window (before destroying it from its
// destructor): from now on the window has the default handling.
inline void ForgetWindowOwner(HWND window)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}
