#pragma once

#include <cstdint>

// Copies a row of `width` pixels stored blue, green, red into `rgb` as red,
// green, blue. The two rows must not overlap.
void CopyRowAsRgb(const uint8_t* bgr, uint8_t* rgb, int32_t width);
