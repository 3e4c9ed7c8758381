#include "display_state.h"

DisplayState g_display;

void NoteDisplay(DisplayNotice notice, uint32_t value)
{
    switch (notice) {
    case DisplayNotice::Power:
        g_display.power = value == 0   ? DisplayPower::Off
                          : value == 2 ? DisplayPower::Dimmed
                                       : DisplayPower::On;
        break;
    case DisplayNotice::EnergySaver:
        g_display.energySaver = value != 0;
        break;
    case DisplayNotice::BatterySaver:
        g_display.batterySaver = value != 0;
        break;
    }
}
