#pragma once

#include <cstdint>
#include <string>

#include "command_state.h"
#include "property_store.h"

// A Command button's properties: what they set beside its state, how reading
// and setting them redraws the face, and their stored form.

// A caption's font: face name (UTF-8), size in points, weight (400 normal,
// 700 bold), styles and character set.
struct CommandFont {
    std::string name;
    double size = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    uint8_t charset = 0;

    bool operator==(const CommandFont& other) const;
};

struct CommandData {
    CommandState state;
    std::string caption = "Command"; // UTF-8
    CommandFont font;                // the caption's
    uint32_t fontColour = 0;         // the caption's colour, 0x00bbggrr
    bool opaque = true;              // the face shows; when false only the caption does
};

// Nothing unless enabled; otherwise the caption colour goes back to black
// while FirstRun is 0, and the Normal face is drawn.
CommandEffect CommandRestyle(CommandData& command);

// Reading Enabled enables a button that never had stored properties
// (FirstRun 0 becomes 1); then the face shows whether it is enabled.
CommandEffect CommandReadEnabled(CommandData& command);
// Disabling a focused button takes its focus away as well (State 1).
CommandEffect CommandSetEnabled(CommandData& command, bool enabled);
// Visible reads 255 with the face shown (and restyles then), 0 without.
CommandEffect CommandReadVisible(CommandData& command, uint8_t& visible);
// 0 hides the face; any other value shows it and restyles.
CommandEffect CommandSetVisible(CommandData& command, uint8_t visible);
// The colour read is the one before the restyle that follows.
CommandEffect CommandReadFontColour(CommandData& command, uint32_t& colour);
CommandEffect CommandSetFontColour(CommandData& command, uint32_t colour);

// The stored properties "Enabled" ("True" or "False"), "Caption", "Font",
// "FirstRun", "FontColour" and "Visible" ("1" or "0"), numbers in decimal.
// The font is stored as its size, weight, italic, underline and
// strike-through (1 or 0) and character set, then its name, all after one
// another with commas between ("9.75,400,0,0,0,128,<name>"); its default is
// the container's ambient font. Both end with a restyle.
// Reading, in the order "Enabled", "Caption", "Font", "FirstRun",
// "FontColour", "Visible": a missing value gives its default; one that does
// not convert leaves its field as it was.
CommandEffect ReadCommandProperties(CommandData& command, const PropertyStore& store,
                                    const CommandFont& ambientFont);
// Writing, in the order "Enabled", "Caption", "FirstRun", "Font",
// "FontColour", "Visible": each value only when it differs from its default.
CommandEffect WriteCommandProperties(CommandData& command, PropertyStore& store,
                                     const CommandFont& ambientFont);
