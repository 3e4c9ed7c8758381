#pragma once

#include <array>

#include "user_language.h"

// The settings dialog's words and where they stand, one table per language
// side by side: the same controls in the same order, each language placing
// and sizing them for its own words and fonts. Places are pixels at 96 dpi,
// from the top-left of the containing window's client area (the form's, or
// the music panel's for the controls in it); texts are UTF-8.

struct Place {
    int x;
    int y;
    int width;
    int height;
};

struct Label {
    Place place;
    const char* text;
};

// Windows' message font, or a named face of a pixel height.
struct FontChoice {
    bool messageFont;
    const char* face;
    int pixels;
    bool shiftJis; // the Japanese character set, the default one otherwise
};

struct DialogLayout {
    int clientWidth;
    int clientHeight;
    // The heading, the track caption, the file name, the author line, the
    // link (underlined) and the buttons.
    FontChoice font;
    // The panel itself, the kinds' captions, the track box and the file
    // button's default.
    FontChoice panelFont;
    Place panel;
    Place headingFrame;
    Label heading;
    std::array<Place, 3> indicators; // by kind: none, CD, file
    std::array<Label, 3> kinds;
    Place repeatBox; // its closed part
    Label repeatCaption;
    Label fileButton;
    Place fileName;
    Label author;
    Label link;
    Label set;
    Label cancel;
    const char* guideFile; // beside the program, opened by the link
    const char* chooserTitle;
    const char* chooserFilter; // the name of the music files' filter
};

const DialogLayout& DialogLayoutFor(Language language);
