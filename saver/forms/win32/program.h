#pragma once

#include <windows.h>

#include <string>

// What the saver knows of its own process.

// The folder that holds the program, without a trailing backslash (unless it
// is a drive's root).
std::string ProgramFolder();

// The arguments Windows passed: the command line without the program's path.
std::string ProgramArguments();

// Makes the process aware of the display's scaling, so that screen sizes and
// the screen's pixels are the real ones on a scaled display.
void MakeDpiAware();

// Starts the program at `path`, without arguments, with its first window in
// `showState` (SW_SHOWNORMAL and so on). The process handle, or null.
HANDLE StartProgram(const std::string& path, int showState);
