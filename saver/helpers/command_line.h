#pragma once

#include <cstdint>
#include <string>

// The saver's command line.

// The argument text of a command line: what follows the program's path (in
// quotes or up to the first blank), without the blanks before it.
std::string ArgumentText(const std::string& commandLine);

// What the start-up does for an argument text: by its mode letter, "S" runs
// with the cursor hidden, "C" shows the settings, "P" the preview; an empty
// text runs with the cursor left visible; anything else only prepares.
enum class StartMode { Run, RunShowingCursor, Settings, Preview, Unknown };
StartMode StartModeOf(const std::string& arguments);

// The preview's host window handle: the argument text from its fourth
// character on, read as a decimal number with blanks, tabs and line feeds
// skipped wherever they stand, up to the first character that cannot
// continue it, rounded to a whole number. 0 when there is no number or it
// does not fit 32 bits.
int32_t PreviewHostHandle(const std::string& arguments);
