#pragma once

#include <windows.h>

// A storm on every other monitor: over each monitor's black cover, a window
// of its own with its own rendering context that draws the scene as it
// stands, the same clouds over that monitor's own desktop as its floor, at
// the monitor's own size. The scene's state is the one the primary draws:
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

// Makes the rendering context of a storm's window over another monitor:
// for the window's device context, sharing the primary context's texture
// names (the clouds), current on return and without vertical sync (the
// primary's swap keeps the time for all). Null, with nothing left behind,
// when the window cannot have one: that monitor then stays covered black.
using StormContextMaker = HGLRC (*)(HDC window, HGLRC primary);

// After the primary's first frame, with its context current, once the
// pictures are made: a storm over
// each monitor whose desktop was taken and that still lies outside the
// primary, its window owned by the primary's and its context made by
// `makeContext`. A monitor whose storm cannot start keeps its black cover.
// The pictures are freed once they are textures.
void StartScreenStorms(HWND primary, StormContextMaker makeContext);

// Each storm draws the scene as it stands, not shown yet; the primary's
// context is current again afterwards.
void DrawScreenStorms();

// Shows what DrawScreenStorms drew: right after the primary's buffer swap,
// so that every monitor shows the new frame at once (as near as two
// windows' swaps can be).
void ShowScreenStorms();

// After the covers followed a change of the monitors: each storm follows
// its monitor, and ends when the monitor is gone or now overlaps the
// primary (its place then stays covered black).
void FollowScreenStorms();

// Ends every storm and frees the pictures not yet used (once taken).
void RemoveScreenStorms();
