#pragma once

// The frame loop's decisions, the same in every platform shell: the shell
// handles one waiting message (or window event) per pass, and on a pass with
// none waiting it runs RunIdlePass and presents the frame. A close request
// ends the loop through the shell's own quit message.

// The key table's code for Escape (Windows' virtual-key code).
constexpr unsigned kEscapeKey = 27;

// True while the window is not minimised: frames are drawn only then.
extern bool g_active;
// Keys held down, by key code; only Escape is read.
extern bool g_keys[256];

// Records a key going down or up. Key messages can be posted by anyone:
// codes past the table are ignored.
void SetKeyHeld(unsigned long code, bool held);

// A pass with no message waiting: draws a frame while the window is active.
// False when the loop is to end (Escape held, or the scene gave up); the
// shell presents the frame otherwise, minimised or not.
bool RunIdlePass();
