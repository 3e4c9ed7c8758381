#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// How a bitmap file is opened for writing: by default std::fopen's "wb";
// null when it cannot be.
using BitmapFileOpener = std::FILE* (*)(const std::string& path);
std::FILE* OpenForWriting(const std::string& path);

// Writes a 24-bit picture as a Windows bitmap file: the "BM" header, a 40-byte
// info header and uncompressed rows, bottom row first, each padded to a
// multiple of 4 bytes. `rows` holds the picture bottom row first, blue, green,
// red, `stride` bytes from one row to the next. False when the file cannot be
// written; then no file is left at `path`, neither half of this picture nor
// whatever was there before, so that no reader takes an older picture for
// this one. A picture that no file can hold (no pixels, or over 4 GB) opens
// nothing.
bool SaveBitmap24(const std::string& path, int32_t width, int32_t height, const uint8_t* rows,
                  size_t stride, BitmapFileOpener open = OpenForWriting);
