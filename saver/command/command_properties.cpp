#include "command_properties.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "number_text.h"

namespace {

const char kEnabled[] = "Enabled";
const char kCaption[] = "Caption";
const char kFont[] = "Font";
const char kFirstRun[] = "FirstRun";
const char kFontColour[] = "FontColour";
const char kVisible[] = "Visible";

const char kTrueText[] = "True";
const char kFalseText[] = "False";
const char kCaptionDefault[] = "Command1";
const char kFirstRunDefault[] = "1";
const char kFontColourDefault[] = "0";
const char kVisibleDefault[] = "1";

// A whole number (halves rounded to the even neighbour) within [low, high].
std::optional<double> WholeNumber(const std::string& text, double low, double high)
{
    const auto number = ParseDecimal(text);
    if (!number)
        return std::nullopt;
    const double whole = std::nearbyint(*number);
    if (whole < low || whole > high)
        return std::nullopt;
    return whole;
}

// "True", "False", or a number: 0 is false.
std::optional<int16_t> Boolean(const std::string& text)
{
    if (text == kTrueText)
        return kTrue;
    if (text == kFalseText)
        return kFalse;
    const auto number = ParseDecimal(text);
    if (!number)
        return std::nullopt;
    return *number != 0 ? kTrue : kFalse;
}

// The stored form of a font: six numbers, then the name.
// The size with six significant digits, as a stream writes it. No stream
// here: one would link the C++ runtime's whole locale support into the
// programs, several hundred kilobytes.
std::string FontText(const CommandFont& font)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%g,%d,%d,%d,%d,%d,", font.size, font.weight,
                  font.italic, font.underline, font.strikethrough, int{font.charset});
    return numbers + font.name;
}

std::optional<CommandFont> FontFromText(const std::string& text)
{
    std::array<std::string, 6> numbers;
    size_t at = 0;
    for (std::string& number : numbers) {
        const size_t comma = text.find(',', at);
        if (comma == std::string::npos)
            return std::nullopt;
        number = text.substr(at, comma - at);
        at = comma + 1;
    }
    // Weights run to 1000; no font is larger than 2048 points.
    CommandFont font;
    font.name = text.substr(at);
    const auto size = ParseDecimal(numbers[0]);
    const auto weight = WholeNumber(numbers[1], 0, 1000);
    const auto italic = WholeNumber(numbers[2], 0, 1);
    const auto underline = WholeNumber(numbers[3], 0, 1);
    const auto strikethrough = WholeNumber(numbers[4], 0, 1);
    const auto charset = WholeNumber(numbers[5], 0, UINT8_MAX);
    if (font.name.empty() || !size || !(*size > 0 && *size <= 2048) || !weight || !italic ||
        !underline || !strikethrough || !charset)
        return std::nullopt;
    font.size = *size;
    font.weight = static_cast<int>(*weight);
    font.italic = *italic != 0;
    font.underline = *underline != 0;
    font.strikethrough = *strikethrough != 0;
    font.charset = static_cast<uint8_t>(*charset);
    return font;
}

} // namespace

bool CommandFont::operator==(const CommandFont& other) const
{
    return name == other.name && size == other.size && weight == other.weight &&
           italic == other.italic && underline == other.underline &&
           strikethrough == other.strikethrough && charset == other.charset;
}

CommandEffect CommandRestyle(CommandData& command)
{
    if (!command.state.Enabled)
        return {};
    if (command.state.FirstRun == 0)
        command.fontColour = 0;
    return ShowEnabled(command.state); // Normal, the button being enabled
}

CommandEffect CommandReadEnabled(CommandData& command)
{
    if (command.state.FirstRun == 0) {
        CommandRestyle(command); // draws nothing: a new button is still disabled
        command.state.FirstRun = 1;
        command.state.Enabled = kTrue;
    }
    return ShowEnabled(command.state);
}

CommandEffect CommandSetEnabled(CommandData& command, bool enabled)
{
    // Disabled, a focused button loses the focus, and by then it heeds no
    // notification: it leaves its focused state first, or it would still
    // take itself as focused once enabled again (and its next press, taking
    // the focus anew, would raise no Click).
    if (!enabled &&
        (command.state.State == kStateSelected || command.state.State == kStateHighLightSelect))
        CommandFocusLost(command.state);
    command.state.Enabled = enabled ? kTrue : kFalse;
    return ShowEnabled(command.state);
}

CommandEffect CommandReadVisible(CommandData& command, uint8_t& visible)
{
    visible = command.opaque ? 255 : 0;
    return command.opaque ? CommandRestyle(command) : CommandEffect{};
}

CommandEffect CommandSetVisible(CommandData& command, uint8_t visible)
{
    command.opaque = visible != 0;
    return command.opaque ? CommandRestyle(command) : CommandEffect{};
}

CommandEffect CommandReadFontColour(CommandData& command, uint32_t& colour)
{
    colour = command.fontColour;
    return CommandRestyle(command);
}

CommandEffect CommandSetFontColour(CommandData& command, uint32_t colour)
{
    command.fontColour = colour;
    return CommandRestyle(command);
}

CommandEffect ReadCommandProperties(CommandData& command, const PropertyStore& store,
                                    const CommandFont& ambientFont)
{
    if (const auto enabled = Boolean(store.Read(kEnabled, kTrueText)))
        command.state.Enabled = *enabled;
    command.caption = store.Read(kCaption, kCaptionDefault);
    const std::string ambientText = FontText(ambientFont);
    const std::string fontText = store.Read(kFont, ambientText);
    if (fontText == ambientText)
        command.font = ambientFont;
    else if (const auto font = FontFromText(fontText))
        command.font = *font;
    if (const auto firstRun = WholeNumber(store.Read(kFirstRun, kFirstRunDefault), 0, UINT8_MAX))
        command.state.FirstRun = static_cast<uint8_t>(*firstRun);
    if (const auto colour = WholeNumber(store.Read(kFontColour, kFontColourDefault), 0, UINT32_MAX))
        command.fontColour = static_cast<uint32_t>(*colour);
    if (const auto visible = WholeNumber(store.Read(kVisible, kVisibleDefault), 0, 1))
        command.opaque = *visible != 0;
    return CommandRestyle(command);
}

CommandEffect WriteCommandProperties(CommandData& command, PropertyStore& store,
                                     const CommandFont& ambientFont)
{
    store.Write(kEnabled, command.state.Enabled ? kTrueText : kFalseText, kTrueText);
    store.Write(kCaption, command.caption, kCaptionDefault);
    store.Write(kFirstRun, std::to_string(command.state.FirstRun), kFirstRunDefault);
    store.Write(kFont, FontText(command.font), FontText(ambientFont));
    store.Write(kFontColour, std::to_string(command.fontColour), kFontColourDefault);
    store.Write(kVisible, command.opaque ? "1" : "0", kVisibleDefault);
    return CommandRestyle(command);
}
