// Feeds arbitrary text to the settings file's number readers: every number
// they take comes back the same through NumberText, and the whole number is
// the decimal one rounded down.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto decimal = ParseDecimal(text);
    const auto whole = ParseNumber16(text);
    if (whole && (!decimal || std::floor(*decimal) != *whole))
        std::abort();
    if (whole && ParseNumber16(NumberText(*whole)) != whole)
        std::abort();
    if (decimal && std::isnan(*decimal))
        std::abort();
    if (decimal && *decimal == std::floor(*decimal) && std::fabs(*decimal) <= INT32_MAX) {
        const int32_t value = static_cast<int32_t>(*decimal);
        if (ParseDecimal(NumberText(value)) != static_cast<double>(value))
            std::abort();
    }
    return 0;
}
