#pragma once

#include <cstddef>
#include <cstdint>

#include "rgb_image.h"

// Loads a capture picture. A file that cannot be opened at all gives null
// quietly; a damaged one gives null after one message.
RgbImage* LoadCaptureImage(const char* fileName);

// Loads a bitmap file (or a bare DIB) into a new RgbImage; null after one
// message when the file cannot be mapped, is not a bitmap we read, or cannot
// be converted.
RgbImage* LoadDibImage(const char* fileName);

// The same for a bitmap file's `size` bytes already in memory (a picture
// built into the program, for instance).
RgbImage* DecodeDibImage(const uint8_t* bytes, size_t size);
