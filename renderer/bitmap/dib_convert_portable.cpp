#include <cstdlib>
#include <memory>

#include "dib_convert.h"
#include "dib_rle.h"
#include "little_endian.h"

namespace {

using Palette = const uint8_t*; // RGBQUAD entries: blue, green, red, unused

void PutColor(uint8_t* out, Palette palette, uint32_t colors, uint32_t index)
{
    if (index < colors) {
        out[0] = palette[4 * index];
        out[1] = palette[4 * index + 1];
        out[2] = palette[4 * index + 2];
    } else {
        out[0] = out[1] = out[2] = 0;
    }
}

// 5 bits widened to 8 by repeating the top bits in the low ones.
uint8_t Widen5(uint32_t value)
{
    return static_cast<uint8_t>((value << 3) | (value >> 2));
}

void ConvertRow(const DibLayout& dib, const uint8_t* in, uint8_t* out)
{
    const Palette palette = dib.ColorTable();
    const int32_t width = dib.width;
    switch (dib.bitCount) {
    case 1:
        for (int32_t x = 0; x < width; ++x)
            PutColor(out + 3 * x, palette, dib.colorCount, (in[x / 8] >> (7 - x % 8)) & 1);
        break;
    case 4:
        for (int32_t x = 0; x < width; ++x)
            PutColor(out + 3 * x, palette, dib.colorCount,
                     (x % 2 == 0) ? in[x / 2] >> 4 : in[x / 2] & 0x0F);
        break;
    case 8:
        for (int32_t x = 0; x < width; ++x)
            PutColor(out + 3 * x, palette, dib.colorCount, in[x]);
        break;
    case 16:
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel = ReadU16(in + 2 * x);
            out[3 * x] = Widen5(pixel & 0x1F);
            out[3 * x + 1] = Widen5((pixel >> 5) & 0x1F);
            out[3 * x + 2] = Widen5((pixel >> 10) & 0x1F);
        }
        break;
    case 32:
        for (int32_t x = 0; x < width; ++x) {
            out[3 * x] = in[4 * x];
            out[3 * x + 1] = in[4 * x + 1];
            out[3 * x + 2] = in[4 * x + 2];
        }
        break;
    default:
        break;
    }
}

LoadFailure ConvertUncompressed(const DibLayout& dib, const BgrRowSink& sink)
{
    const uint64_t stride = DibStride(dib.width, dib.bitCount);
    if (dib.bitCount == 24) {
        // Already blue, green, red: hand the file's rows over as they are.
        for (int32_t row = 0; row < dib.height; ++row)
            sink(row, dib.bits + row * stride);
        return LoadFailure::None;
    }
    std::unique_ptr<uint8_t, FreeDeleter> line(
        static_cast<uint8_t*>(std::malloc(size_t{3} * dib.width)));
    if (!line)
        return LoadFailure::OutOfMemory;
    for (int32_t row = 0; row < dib.height; ++row) {
        ConvertRow(dib, dib.bits + row * stride, line.get());
        sink(row, line.get());
    }
    return LoadFailure::None;
}

LoadFailure ConvertRunLength(const DibLayout& dib, const BgrRowSink& sink)
{
    const size_t rowBytes = size_t{3} * dib.width;
    std::unique_ptr<uint8_t, FreeDeleter> picture(
        static_cast<uint8_t*>(std::calloc(rowBytes, dib.height)));
    if (!picture)
        return LoadFailure::OutOfMemory;
    uint8_t* pixels = picture.get();
    const bool complete = WalkRle(dib.bits, dib.bitsSize, dib.bitCount, dib.width, dib.height,
                                  [&](int32_t x, int64_t row, uint8_t index) {
                                      PutColor(pixels + row * rowBytes + 3 * x, dib.ColorTable(),
                                               dib.colorCount, index);
                                  });
    if (!complete)
        return LoadFailure::ConversionError;
    for (int32_t row = 0; row < dib.height; ++row)
        sink(row, pixels + row * rowBytes);
    return LoadFailure::None;
}

} // namespace

LoadFailure ConvertDibPortable(const DibLayout& dib, const BgrRowSink& sink)
{
    return dib.compression == kBiRgb ? ConvertUncompressed(dib, sink) : ConvertRunLength(dib, sink);
}
