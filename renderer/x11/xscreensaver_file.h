#pragma once

#include <cstddef>
#include <string>

// Adding raivel to the list of display modes in a user's xscreensaver
// settings file (~/.xscreensaver), as text in and text out.
//
// The file holds "name: value" settings, the names in any case, a line
// ending in a backslash going on in the next, "\n", "\t", "\r" and "\x" (any
// other x) standing for a line feed, a tab, a carriage return and x, and "#",
// "!" or ";" comments. "programs:" lists the user's display modes, separated
// by line feeds; xscreensaver adds every system display mode the list lacks
// after it. "selected:" is the chosen mode's place in the user's list,
// counted from 0 (-1 for none); without a user's list, in the system's.

enum class ListChange {
    Added,         // raivel is now the list's first entry
    AlreadyListed, // an entry runs raivel already: nothing to change
    SwitchedOff,   // only entries switched off ("-") run raivel: left to the user
    Unreadable,    // not a settings file we can edit safely
};

struct ListEdit {
    ListChange change = ListChange::Unreadable;
    std::string text;    // the file's new text, for ListChange::Added
    std::string problem; // what is wrong, for ListChange::Unreadable
};

// The entry put first: "GL: raivel --root".
extern const char* const kRaivelEntry;

// The longest file taken: xscreensaver's own are about 10 KB.
constexpr std::size_t kLongestSettingsFile = 1 << 20;

// The longest line taken, its line end apart: xscreensaver 6.06 reads one
// this long in one piece, and may join or drop bytes where it cuts a longer
// one.
constexpr std::size_t kLongestSettingsLine = 1021;

// Adds kRaivelEntry at the head of the "programs:" list of `file` (null for a
// missing file, which becomes one holding just that list), keeping every
// other line as it is, and moves "selected:" one place on so that the
// chosen display mode stays chosen. A file whose edit xscreensaver could read
// otherwise than meant is refused.
ListEdit AddRaivelToProgramList(const std::string* file);
