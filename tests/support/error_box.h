#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Waits up to `timeoutMs` for a message box captioned "Error" of process
// `processId`, takes its text once it shows one, presses its OK button and
// waits for it to go. "(no message box)" when none came. `whileShown`, when
// given, runs while the box is up.
inline std::string CloseErrorBox(DWORD processId, DWORD timeoutMs,
                                 const std::function<void()>& whileShown = {})
{
    constexpr int kMessageTextId = 0xFFFF; // the static control with the text
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", "Error"); box;
             box = FindWindowExA(nullptr, box, "#32770", "Error")) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            char text[512] = {};
            if (owner != processId || GetDlgItemTextA(box, kMessageTextId, text, sizeof text) == 0)
                continue;
            if (whileShown)
                whileShown();
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 100 && IsWindow(box); ++i)
                Sleep(20);
            return text;
        }
        Sleep(20);
    }
    return "(no message box)";
}
