#pragma once

#include <cstddef>
#include <cstdint>

// Mirrors a 24-bit picture left to right in place: pixel x of each row
// becomes pixel width - 1 - x. `stride` bytes from one row to the next.
void MirrorRows24(uint8_t* rows, int32_t width, int32_t height, size_t stride);
