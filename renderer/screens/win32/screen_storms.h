#pragma once

#include <windows.h>

// The storm on every other monitor: over each monitor's black cover, a
// window of its own with its own rendering context draws the storm as it
// stands, the same clouds over that monitor's own desktop as its floor, at
// the monitor's own size. The storm's state is the one the primary draws:
// each frame, every monitor draws it before the next step.

// Starts taking the desktop of every other monitor, in memory only, on a
// thread of its own, before the display-mode change, which may move them
// and repaint their windows; on the Screen-saver desktop the thread goes on
// to paint their wallpapers while the storm starts.
void BeginStormFloors();

// Waits until the screen has been read: before the display-mode change.
void AwaitStormFloorsTaken();

// Waits until the pictures are all made.
void AwaitStormFloors();

// After the primary's first frame, with its context current, once the
// pictures are made: a storm over
// each monitor whose desktop was taken and that still lies outside the
// primary. A monitor whose storm cannot start keeps its black cover. The
// pictures are freed once they are textures.
void StartScreenStorms(HWND storm);

// Draws the storm as it stands on each other monitor and shows it; the
// primary's context is current again afterwards.
void DrawScreenStorms();

// After the covers followed a change of the monitors: each storm follows
// its monitor, and ends when the monitor is gone or now overlaps the
// primary (its place then stays covered black).
void FollowScreenStorms();

// Ends every storm and frees the pictures not yet used (once taken).
void RemoveScreenStorms();
