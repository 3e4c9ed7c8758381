#pragma once

#include <cstdint>

// What the display is doing, as the system tells the renderer: whether the
// monitor is on, dimmed or off, and whether the system saves energy. While
// the display is off the loop draws nothing; while energy is saved the pacer
// draws half the frames.

enum class DisplayPower { On, Dimmed, Off };

// The system's notices, each with its value as the system sends it: the
// display's power (0 off, 1 on, 2 dimmed), the energy saver's status (0 off,
// 1 standard savings, 2 high savings) and that of the battery saver before
// it (0 off, 1 on). A system may send both savers' notices, the one it no
// longer uses always off: energy is saved while either is on.
enum class DisplayNotice { Power, EnergySaver, BatterySaver };

struct DisplayState {
    DisplayPower power = DisplayPower::On;
    bool energySaver = false;
    bool batterySaver = false;

    bool SavingEnergy() const { return energySaver || batterySaver; }
};

// The display as the notices so far tell it: on, saving nothing, before any.
extern DisplayState g_display;

// Takes a notice in. A power value it does not know counts as on: the storm
// goes on showing.
void NoteDisplay(DisplayNotice notice, uint32_t value);
