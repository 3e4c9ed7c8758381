#include "command_line.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "ansi_text.h"
#include "saver_helpers.h"

std::string ArgumentText(const std::string& commandLine)
{
    // Quotes and blanks are never the second byte of a character: the bytes
    // can be looked at one by one.
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        at = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        at = commandLine.find_first_of(" \t");
        if (at == std::string::npos)
            at = commandLine.size();
    }
    at = commandLine.find_first_not_of(" \t", at);
    return at == std::string::npos ? std::string() : commandLine.substr(at);
}

StartMode StartModeOf(const std::string& arguments)
{
    switch (ModeLetter(arguments)) {
    case 'S':
        return StartMode::Run;
    case 'C':
        return StartMode::Settings;
    case 'P':
        return StartMode::Preview;
    default:
        return arguments.empty() ? StartMode::RunShowingCursor : StartMode::Unknown;
    }
}

int32_t PreviewHostHandle(const std::string& arguments)
{
    // The number's characters, blanks dropped: a sign, digits, a fraction,
    // an exponent, each only where it can continue what came before.
    std::string number;
    bool digits = false, point = false, exponent = false, exponentDigits = false;
    const std::vector<size_t> characters = AnsiCharStarts(arguments);
    // A two-byte character ends the number at its first byte.
    for (size_t i = characters.size() > 3 ? characters[3] : arguments.size(); i < arguments.size();
         ++i) {
        const char c = arguments[i];
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        bool continues = false;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            continues = true;
            (exponent ? exponentDigits : digits) = true;
        } else if (c == '+' || c == '-') {
            continues = number.empty() || number.back() == 'e';
        } else if (c == '.') {
            continues = !point && !exponent;
            point = true;
        } else if (c == 'e' || c == 'E') {
            continues = digits && !exponent;
            exponent = true;
        }
        if (!continues)
            break;
        number += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (!digits)
        return 0;
    if (exponent && !exponentDigits)
        number.erase(number.find('e')); // "12e" reads as 12
    const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
    if (!(value >= INT32_MIN && value <= INT32_MAX))
        return 0;
    return static_cast<int32_t>(value);
}
