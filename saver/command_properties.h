#pragma once

#include <cstdint>
#include <string>

#include "command_state.h"
#include "property_store.h"

// A Command button's properties: what they set beside its state, how reading
// and setting them redraws the face, and their stored form.

struct CommandData {
    CommandState state;
    std::string caption = "Command"; // UTF-8
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

// The stored properties "Enabled" ("True" or "False"), "Caption", "FirstRun",
// "FontColour" and "Visible" ("1" or "0"), numbers in decimal; the caption's
// font is the container's and is not stored. Both end with a restyle.
// Reading: a missing value gives its default; one that does not convert
// leaves its field as it was.
CommandEffect ReadCommandProperties(CommandData& command, const PropertyStore& store);
// Writing: each value only when it differs from its default.
CommandEffect WriteCommandProperties(CommandData& command, PropertyStore& store);
