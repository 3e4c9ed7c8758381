#pragma once

#include <windows.h>

// Windows' notices of the display's power and of its energy and battery
// savers, to the storm's window: they feed what the loop knows of the
// display (display_state.h).

// The power settings whose changes Windows tells: the display's state (the
// console's, and the session's where that is the one sent), the energy
// saver's status (Windows 11) and the battery saver's (before it).
extern const GUID kConsoleDisplayState;
extern const GUID kSessionDisplayStatus;
extern const GUID kEnergySaverStatus;
extern const GUID kPowerSavingStatus;

// Asks Windows to tell `window` of every change of them; each one's current
// value comes at once.
void ListenForDisplayNotices(HWND window);

// Stops the notices, before the window goes.
void StopDisplayNotices();

// A WM_POWERBROADCAST: takes in a change of one of the settings above.
// Whether it was one.
bool TakeDisplayNotice(WPARAM event, LPARAM data);
