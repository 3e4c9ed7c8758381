#pragma once

#include <string>

#include "step_pacer.h"

// The command line of the Linux program, in the form xscreensaver's hacks
// take: which window to draw into, the storm's step and the frame rate shown
// or printed; or, alone, the command that lists raivel in the user's
// xscreensaver settings.

// Where the storm is drawn.
enum class TargetKind {
    OwnWindow, // a window of our own, 1024 x 768
    Root,      // the window in XSCREENSAVER_WINDOW, or else the root window
    WindowId,  // the window given by its id
};

// 60 steps a second.
constexpr long kDefaultDelayMicroseconds = kStepMicroseconds;

struct RaivelOptions {
    TargetKind target = TargetKind::OwnWindow;
    std::string windowId; // the id's text, for TargetKind::WindowId
    long delayMicroseconds = kDefaultDelayMicroseconds;
    bool showFps = false;  // drawn in the window, bottom left
    bool printFps = false; // printed on standard output once a second
    bool addToXscreensaver = false;
};

// What the program prints for a command line it does not understand.
extern const char* const kUsageText;

// Reads argv[1..argc-1]; options take one dash or two. False on an unknown
// option, a missing value, a delay that is not a whole number of
// microseconds from 0 up, or -add-to-xscreensaver with anything else, and
// `options` then stays as it was.
bool ParseOptions(int argc, const char* const* argv, RaivelOptions& options);

// Reads a window id written in hexadecimal with "0x" in front, or in decimal;
// false for anything else, zero included.
bool ParseWindowId(const char* text, unsigned long& id);
