// Feeds arbitrary bytes to the saver's command line: the argument text, the
// start mode and the preview's host handle, in code page 1252 or 932 (the
// first byte chooses), Shift-JIS lead bytes at the end included. The handle
// is compared with a second, plain reading of its rule: from the fourth
// character on, blanks, tabs and line feeds left out, the longest run of
// characters that could still begin a decimal number, its number rounded.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ansi_text.h"
#include "command_line.h"

namespace {

// Whether `text` (no blanks) begins some decimal number: a sign, digits with
// an optional point and fraction, an exponent after at least one digit.
bool BeginsNumber(const std::string& text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digit = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, digit = true;
    if (i < text.size() && text[i] == '.')
        ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, digit = true;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E') && digit) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
    }
    return i == text.size();
}

int32_t PlainHandle(const std::string& arguments)
{
    std::string number;
    for (size_t at = 0, character = 0; at < arguments.size();
         at += AnsiCharLength(arguments, at), ++character) {
        const std::string c = arguments.substr(at, AnsiCharLength(arguments, at));
        if (character < 3 || c == " " || c == "\t" || c == "\n")
            continue;
        if (!BeginsNumber(number + c))
            break;
        number += c;
    }
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (end == number.c_str())
        return 0;
    const double whole = std::nearbyint(value);
    return whole >= INT32_MIN && whole <= INT32_MAX ? static_cast<int32_t>(whole) : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    UseAnsiCodePage(data[0] & 1 ? 932 : 1252);
    const std::string commandLine(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string arguments = ArgumentText(commandLine);
    if (arguments.size() > commandLine.size() ||
        commandLine.compare(commandLine.size() - arguments.size(), arguments.size(), arguments))
        std::abort(); // the arguments end the command line
    StartModeOf(arguments);
    StartModeOf(commandLine);
    for (const std::string& text : {arguments, commandLine}) {
        const int32_t handle = PreviewHostHandle(text);
        if (handle != PlainHandle(text)) {
            std::fprintf(stderr, "handle %d, plainly %d\n", handle, PlainHandle(text));
            std::abort();
        }
    }
    return 0;
}
