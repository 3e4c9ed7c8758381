#pragma once

#include <cstdint>

#include "saver_helpers.h"

// The state machine of the saver's push button (Command): which face it
// shows for the pointer, the focus and the left button, and when it raises
// Click. The window and its drawing are the control's; this is the logic.

// The six face pictures, and None for "draw nothing".
enum class CommandFace : uint8_t {
    None,
    HighLight,
    Pressed,
    Normal,
    Disable,
    HighLightSelect,
    Selected
};

enum CommandStateValue : uint8_t {
    kStateCreated = 0,         // before Initialize
    kStateNormal = 1,          // no pointer, no focus
    kStateHighLight = 2,       // pointer over, no focus
    kStateSelected = 3,        // focus, pointer not over
    kStateHighLightSelect = 4, // focus and pointer over
};

struct CommandState {
    uint8_t State = kStateCreated;
    int16_t HoverShade = kFalse; // the gradient runs dark to light when true
    int16_t ButtonHeld = kFalse; // from a left press until a left release
    int16_t Enabled = kFalse;
    uint8_t FirstRun = 0;
};

// What a notification asks of the control: a face to draw (each drawing
// also sets HoverShade from State) and whether Click is raised.
struct CommandEffect {
    CommandFace face = CommandFace::None;
    bool click = false;
};

enum class MouseButton : uint8_t { Left, Right, Middle };

// State 1; the control then starts its 100 ms hover polling. Draws nothing.
void InitializeCommand(CommandState& command);

// Mouse, focus and tick notifications; a disabled control ignores them.
CommandEffect CommandMouseMove(CommandState& command);
CommandEffect CommandMouseDown(CommandState& command, MouseButton button);
CommandEffect CommandMouseUp(CommandState& command, MouseButton button);
CommandEffect CommandFocusGained(CommandState& command);
CommandEffect CommandFocusLost(CommandState& command);
// A hover poll that found the pointer elsewhere than over the control.
CommandEffect CommandPointerLeft(CommandState& command);

// The face that shows whether the control is enabled (on resize and on
// reading or setting Enabled), State left as it is.
CommandEffect ShowEnabled(CommandState& command);
