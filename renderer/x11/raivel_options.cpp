#include "raivel_options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

const char* const kUsageText =
    "usage: raivel [-root | -window-id ID] [-delay MICROSECONDS] [-fps] [-print-fps]\n"
    "       raivel -add-to-xscreensaver\n"
    "  (no window option)  draw in a window of our own, 1024 x 768\n"
    "  -root               draw in the window named by XSCREENSAVER_WINDOW,\n"
    "                      or else in the root window\n"
    "  -window-id ID       draw in window ID (0x hexadecimal or decimal)\n"
    "  -delay MICROSECONDS the time of one step of the storm (default 16666)\n"
    "  -fps                show the frame rate and load, bottom left\n"
    "  -print-fps          print the frame rate once a second\n"
    "  -add-to-xscreensaver\n"
    "                      put raivel first in the display modes of ~/.xscreensaver\n"
    "Options may also be written with two dashes. Escape or closing the window\n"
    "ends the storm.\n";

namespace {

// Reads a whole number from `text` in `base`: no sign, no blanks, nothing
// after it, not past LONG_MAX.
bool ParseWhole(const char* text, int base, unsigned long& value)
{
    if (!text || !*text || std::strchr("+- \t", *text))
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoul(text, &end, base);
    return errno == 0 && *end == '\0' && value <= LONG_MAX;
}

// The option's name without its leading dash (of one or two).
const char* OptionName(const char* arg)
{
    if (arg[0] != '-')
        return nullptr;
    return arg[1] == '-' ? arg + 2 : arg + 1;
}

// ParseOptions' reading, which may stop half way.
bool ReadOptions(int argc, const char* const* argv, RaivelOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* name = OptionName(argv[i]);
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!name) {
            return false;
        } else if (!std::strcmp(name, "root")) {
            options.target = TargetKind::Root;
        } else if (!std::strcmp(name, "fps")) {
            options.showFps = true;
        } else if (!std::strcmp(name, "print-fps")) {
            options.printFps = true;
        } else if (!std::strcmp(name, "add-to-xscreensaver") && argc == 2) {
            options.addToXscreensaver = true;
        } else if (!std::strcmp(name, "window-id") && value) {
            options.target = TargetKind::WindowId;
            options.windowId = value;
            ++i;
        } else if (!std::strcmp(name, "delay") && value) {
            unsigned long delay = 0;
            if (!ParseWhole(value, 10, delay))
                return false;
            options.delayMicroseconds = static_cast<long>(delay);
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseOptions(int argc, const char* const* argv, RaivelOptions& options)
{
    // A list refused changes nothing.
    RaivelOptions read = options;
    if (!ReadOptions(argc, argv, read))
        return false;
    options = read;
    return true;
}

bool ParseWindowId(const char* text, unsigned long& id)
{
    if (!text)
        return false;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    return ParseWhole(hex ? text + 2 : text, hex ? 16 : 10, id) && id != 0;
}
