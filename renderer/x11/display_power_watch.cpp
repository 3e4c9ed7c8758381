#include "display_power_watch.h"

#include <X11/Xproto.h>
#include <X11/extensions/dpms.h>

#include "display_state.h"

namespace {

constexpr int64_t kCheckMicroseconds = 1000000;

} // namespace

DisplayPowerWatch::DisplayPowerWatch(Display* display) : display_(display)
{
    int event = 0;
    int error = 0;
    known_ = DPMSQueryExtension(display_, &event, &error) && DPMSCapable(display_);
}

void DisplayPowerWatch::Check(int64_t now)
{
    if (!known_ || now < next_)
        return;
    next_ = now + kCheckMicroseconds;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    const bool off = DPMSInfo(display_, &level, &enabled) && enabled && level != DPMSModeOn;
    NoteDisplay(DisplayNotice::Power, off ? 0 : 1);
}
