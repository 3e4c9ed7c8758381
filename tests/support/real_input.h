#pragma once

// Real mouse and keyboard input, as a hand would give it, for Wine tests.

#include <windows.h>

// Presses and releases the left button at `point` of `window`'s client area.
inline void Click(HWND window, POINT point)
{
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    // The pointer arrives first, as a hand's does: a button takes a press
    // without a hover before it as the start of a focus change, not a click.
    Sleep(150);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(100);
    SendInput(1, &inputs[1], sizeof(INPUT));
    Sleep(200);
}

// Types the keys, each pressed and released.
inline void Type(const char* keys)
{
    for (const char* key = keys; *key; ++key) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = inputs[1].ki.wVk = static_cast<WORD>(*key);
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Sleep(50);
    }
    Sleep(200);
}
