#include <gtest/gtest.h>

#include "command_state.h"

namespace {

CommandState Ready()
{
    CommandState command;
    command.Enabled = kTrue;
    InitializeCommand(command);
    return command;
}

void ExpectEffect(const CommandEffect& effect, CommandFace face, bool click)
{
    EXPECT_EQ(effect.face, face);
    EXPECT_EQ(effect.click, click);
}

} // namespace

TEST(CommandState, PointerFocusAndButtonFollowTheTable)
{
    CommandState command = Ready();
    ExpectEffect(CommandMouseMove(command), CommandFace::HighLight, false);
    EXPECT_EQ(command.State, kStateHighLight);
    EXPECT_EQ(command.HoverShade, kTrue);
    ExpectEffect(CommandMouseMove(command), CommandFace::None, false);

    // Focus arriving under the pointer: Pressed, with the hover gradient kept.
    ExpectEffect(CommandFocusGained(command), CommandFace::Pressed, false);
    EXPECT_EQ(command.State, kStateHighLightSelect);
    EXPECT_EQ(command.HoverShade, kTrue);

    ExpectEffect(CommandPointerLeft(command), CommandFace::Selected, false);
    EXPECT_EQ(command.State, kStateSelected);
    EXPECT_EQ(command.HoverShade, kFalse);
    // Back over it from Selected: the normal gradient stays.
    ExpectEffect(CommandMouseMove(command), CommandFace::HighLightSelect, false);
    EXPECT_EQ(command.HoverShade, kFalse);

    ExpectEffect(CommandMouseDown(command, MouseButton::Left), CommandFace::Pressed, false);
    EXPECT_EQ(command.ButtonHeld, kTrue);
    ExpectEffect(CommandMouseUp(command, MouseButton::Left), CommandFace::HighLightSelect, true);
    EXPECT_EQ(command.ButtonHeld, kFalse);

    ExpectEffect(CommandFocusLost(command), CommandFace::Normal, false);
    EXPECT_EQ(command.State, kStateNormal);
    ExpectEffect(CommandFocusLost(command), CommandFace::None, false);
}

TEST(CommandState, AnyButtonReleasedOverAnUnfocusedControlClicks)
{
    CommandState command = Ready();
    CommandMouseMove(command);
    ExpectEffect(CommandMouseDown(command, MouseButton::Right), CommandFace::None, false);
    ExpectEffect(CommandMouseUp(command, MouseButton::Right), CommandFace::None, true);
    ExpectEffect(CommandMouseUp(command, MouseButton::Left), CommandFace::Normal, true);

    // Before Initialize the pointer changes nothing, yet a release clicks.
    CommandState fresh;
    fresh.Enabled = kTrue;
    ExpectEffect(CommandMouseMove(fresh), CommandFace::None, false);
    EXPECT_EQ(fresh.State, kStateCreated);
    ExpectEffect(CommandMouseUp(fresh, MouseButton::Middle), CommandFace::None, true);
}

TEST(CommandState, DraggingOffAFocusedControlClicksOnlyBeforeTheNextTick)
{
    CommandState command = Ready();
    CommandFocusGained(command);
    CommandMouseMove(command);
    ASSERT_EQ(command.State, kStateHighLightSelect);
    CommandMouseDown(command, MouseButton::Left);
    // The pointer leaves while the button is held; a tick notices.
    ExpectEffect(CommandPointerLeft(command), CommandFace::Selected, false);
    ExpectEffect(CommandMouseUp(command, MouseButton::Left), CommandFace::None, false);

    // Released before the tick: still HighLightSelect, and a Click.
    CommandMouseMove(command);
    CommandMouseDown(command, MouseButton::Left);
    ExpectEffect(CommandMouseUp(command, MouseButton::Left), CommandFace::HighLightSelect, true);

    // A held button keeps a move from reaching HighLightSelect.
    CommandPointerLeft(command);
    CommandMouseDown(command, MouseButton::Left);
    ExpectEffect(CommandMouseMove(command), CommandFace::None, false);
    EXPECT_EQ(command.State, kStateSelected);
}

TEST(CommandState, DisabledControlNeverChangesNorClicks)
{
    CommandState command = Ready();
    command.Enabled = kFalse;
    ExpectEffect(CommandMouseMove(command), CommandFace::None, false);
    ExpectEffect(CommandMouseDown(command, MouseButton::Left), CommandFace::None, false);
    ExpectEffect(CommandMouseUp(command, MouseButton::Left), CommandFace::None, false);
    ExpectEffect(CommandFocusGained(command), CommandFace::None, false);
    ExpectEffect(CommandPointerLeft(command), CommandFace::None, false);
    EXPECT_EQ(command.State, kStateNormal);
    EXPECT_EQ(command.ButtonHeld, kFalse);
    // Every resize shows the disabled face.
    ExpectEffect(ShowEnabled(command), CommandFace::Disable, false);

    // Enabled again, a resize draws Normal whatever the state.
    command.Enabled = kTrue;
    CommandMouseMove(command);
    ExpectEffect(ShowEnabled(command), CommandFace::Normal, false);
    EXPECT_EQ(command.State, kStateHighLight);
}
