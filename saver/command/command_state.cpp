#include "command_state.h"

namespace {

// A repaint with `face`: the gradient follows the state it shows.
CommandEffect Draw(CommandState& command, CommandFace face, bool click = false)
{
    switch (command.State) {
    case kStateNormal:
    case kStateSelected:
        command.HoverShade = kFalse;
        break;
    case kStateHighLight:
        command.HoverShade = kTrue;
        break;
    default:
        break; // as it was
    }
    return {face, click};
}

} // namespace

void InitializeCommand(CommandState& command)
{
    command.State = kStateNormal;
}

CommandEffect CommandMouseMove(CommandState& command)
{
    if (!command.Enabled)
        return {};
    if (command.State == kStateNormal) {
        command.State = kStateHighLight;
        return Draw(command, CommandFace::HighLight);
    }
    if (command.State == kStateSelected && !command.ButtonHeld) {
        command.State = kStateHighLightSelect;
        return Draw(command, CommandFace::HighLightSelect);
    }
    return {};
}

CommandEffect CommandMouseDown(CommandState& command, MouseButton button)
{
    if (!command.Enabled || button != MouseButton::Left)
        return {};
    command.ButtonHeld = kTrue;
    return Draw(command, CommandFace::Pressed);
}

CommandEffect CommandMouseUp(CommandState& command, MouseButton button)
{
    if (!command.Enabled)
        return {};
    CommandFace face = CommandFace::None;
    if (button == MouseButton::Left) {
        command.ButtonHeld = kFalse;
        if (command.State == kStateHighLight)
            face = CommandFace::Normal;
        else if (command.State == kStateHighLightSelect)
            face = CommandFace::HighLightSelect;
    }
    // Any button, and whatever the pointer did since the press: only a
    // focused control that the pointer has left raises nothing.
    const bool click = command.State != kStateSelected;
    return face == CommandFace::None ? CommandEffect{face, click} : Draw(command, face, click);
}

CommandEffect CommandFocusGained(CommandState& command)
{
    if (!command.Enabled)
        return {};
    if (command.State == kStateHighLight) {
        command.State = kStateHighLightSelect;
        return Draw(command, CommandFace::Pressed);
    }
    command.State = kStateSelected;
    return Draw(command, CommandFace::Selected);
}

CommandEffect CommandFocusLost(CommandState& command)
{
    if (!command.Enabled || command.State == kStateNormal)
        return {};
    command.State = kStateNormal;
    return Draw(command, CommandFace::Normal);
}

CommandEffect CommandPointerLeft(CommandState& command)
{
    if (!command.Enabled)
        return {};
    if (command.State == kStateHighLight) {
        command.State = kStateNormal;
        return Draw(command, CommandFace::Normal);
    }
    if (command.State == kStateHighLightSelect) {
        command.State = kStateSelected;
        return Draw(command, CommandFace::Selected);
    }
    return {};
}

CommandEffect ShowEnabled(CommandState& command)
{
    return Draw(command, command.Enabled ? CommandFace::Normal : CommandFace::Disable);
}
