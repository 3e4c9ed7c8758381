#pragma once

#include <cstdint>
#include <string>

// The settings dialog's rules, apart from its windows.

// What the music kind enables: the repeat-track box for the CD, the file
// button for a music file, and which kind indicator is selected (-1: none,
// for a kind outside 0 to 2).
struct KindControls {
    bool repeatEnabled;
    bool fileButtonEnabled;
    int selectedIndicator;
};
KindControls ControlsForKind(int16_t kind);

// A track as the repeat box shows it: digits, and nothing for 0.
std::string TrackText(int32_t track);

// The repeat box's text as the track to store: a number rounded to a whole
// one (halves to the even neighbour), 0 when the text is no number or the
// number does not fit 16 bits.
int16_t TrackFromText(const std::string& text);

// The grey level c of row `row` of the dialog's shaded band, for a client
// area `height` pixels high: the row is drawn in red c, green c, blue c + 30.
int BandLevel(int row, int height);
