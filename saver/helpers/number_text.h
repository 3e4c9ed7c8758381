#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Numbers as the settings file and the CD device give them.

// Decimal text with a blank before a non-negative number: " 2", " 12", "-1".
std::string NumberText(int32_t value);

// The decimal number in `text`: blanks around it allowed, an optional sign,
// digits with an optional fraction; nothing when the text is anything else.
std::optional<double> ParseDecimal(const std::string& text);

// The whole number in `text` (blanks around it allowed, a fraction rounded
// down: "1.9" gives 1, "-0.5" gives -1), or nothing when the text is not a
// number or the result does not fit 16 bits.
std::optional<int16_t> ParseNumber16(const std::string& text);
