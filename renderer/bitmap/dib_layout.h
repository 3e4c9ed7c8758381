#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// Why a bitmap could not be loaded, each with its own message.
enum class LoadFailure {
    None,
    UnknownFormat,   // "Unknown DIB file format."
    OutOfMemory,     // "Out of memory."
    ConversionError, // "Image file conversion error."
};

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;

constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kFileHeaderSize = 14;

// Largest picture accepted: 134 million pixels, no side over 65535.
constexpr int64_t kMaxDibPixels = int64_t{1} << 27;
constexpr int32_t kMaxDibSide = 65535;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// A bitmap checked against the bytes that hold it: every byte the conversion
// reads lies inside the file.
struct DibLayout {
    // BITMAPINFOHEADER followed by the colour table: the file's entries,
    // then zeros up to at least 257 entries, so that a conversion looking up
    // any 8-bit index stays inside the block.
    std::unique_ptr<uint8_t, FreeDeleter> header;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    uint32_t compression = kBiRgb;
    // Entries the conversion may look up (also the block's colour count):
    // fewer than the depth allows when the file says so; indices past them
    // are black.
    uint32_t colorCount = 0;
    const uint8_t* bits = nullptr;
    size_t bitsSize = 0;

    const uint8_t* ColorTable() const { return header.get() + kInfoHeaderSize; }
};

// Colour-table length of the DIB header at `dibHeader` (12 or 40 bytes, which
// the caller has checked are there), as a 16-bit count.
uint16_t CountDibColors(const uint8_t* dibHeader);

// Reads a bitmap file (or a bare DIB) of `size` bytes and checks that its
// headers, colour table and pixel data lie within it and describe a picture
// that can be converted.
LoadFailure ReadDibLayout(const uint8_t* file, size_t size, DibLayout& layout);

// Bytes in one stored row of `width` pixels at `bitCount` bits, padded to 4.
inline uint64_t DibStride(int32_t width, uint16_t bitCount)
{
    return (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
}
