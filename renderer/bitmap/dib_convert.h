#pragma once

#include <cstdint>
#include <functional>

#include "dib_layout.h"

// Receives a converted picture one row at a time, bottom row first; `bgr`
// holds the row's pixels as blue, green, red and is valid during the call.
using BgrRowSink = std::function<void(int32_t row, const uint8_t* bgr)>;

// Converts a checked bitmap into 24-bit pixels with our own decoder:
// uncompressed 1, 4, 8, 16 (5-5-5), 24 and 32-bit pixels and run-length
// encoded 4 and 8-bit pixels. Pixels that run-length data skips are black.
LoadFailure ConvertDibPortable(const DibLayout& dib, const BgrRowSink& sink);

#ifdef _WIN32
// The same conversion done by GDI: SetDIBits into a 24-bit DIB section.
LoadFailure ConvertDibGdi(const DibLayout& dib, const BgrRowSink& sink);
#endif
