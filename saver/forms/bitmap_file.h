#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes a 24-bit picture as a Windows bitmap file: the "BM" header, a 40-byte
// info header and uncompressed rows, bottom row first, each padded to a
// multiple of 4 bytes. `rows` holds the picture bottom row first, blue, green,
// red, `stride` bytes from one row to the next. False when the file cannot be
// written.
bool SaveBitmap24(const std::string& path, int32_t width, int32_t height, const uint8_t* rows,
                  size_t stride);

// The same into a file opened for writing, which it closes; false when
// `file` is null or the picture cannot be written.
bool WriteBitmap24(std::FILE* file, int32_t width, int32_t height, const uint8_t* rows,
                   size_t stride);
