#include "number_text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

std::string NumberText(int32_t value)
{
    return (value >= 0 ? " " : "") + std::to_string(value);
}

std::optional<double> ParseDecimal(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const size_t last = text.find_last_not_of(" \t");
    const std::string number = text.substr(first, last - first + 1);

    size_t i = number[0] == '+' || number[0] == '-' ? 1 : 0;
    size_t digits = 0;
    bool point = false;
    for (; i < number.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(number[i])))
            ++digits;
        else if (number[i] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    return std::strtod(number.c_str(), nullptr);
}

std::optional<int16_t> ParseNumber16(const std::string& text)
{
    const auto number = ParseDecimal(text);
    if (!number)
        return std::nullopt;
    const double value = std::floor(*number);
    if (value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return static_cast<int16_t>(value);
}
