#include "dib_layout.h"

#include <algorithm>

#include "dib_rle.h"
#include "little_endian.h"

namespace {

constexpr uint32_t kPaletteLookups = 256;

uint16_t ColorsForDepth(uint16_t bitCount)
{
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// The depth and compression pairs the conversion turns into 24-bit pixels.
bool IsConvertibleFormat(uint16_t bitCount, uint32_t compression)
{
    switch (compression) {
    case kBiRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
               bitCount == 24 || bitCount == 32;
    case kBiRle8:
        return bitCount == 8;
    case kBiRle4:
        return bitCount == 4;
    default:
        return false; // bit fields, JPEG and PNG data are not converted
    }
}

// Fills the source header block from a 12-byte core header and its 3-byte
// colour entries.
void FillFromCoreHeader(const uint8_t* core, uint16_t colors, uint8_t* block)
{
    WriteU32(block, kInfoHeaderSize);
    WriteU32(block + 4, ReadU16(core + 4));
    WriteU32(block + 8, ReadU16(core + 6));
    WriteU16(block + 12, ReadU16(core + 8));
    WriteU16(block + 14, ReadU16(core + 10));
    WriteU32(block + 16, kBiRgb);
    WriteU32(block + 32, colors);
    WriteU32(block + 36, colors);
    const uint8_t* triple = core + kCoreHeaderSize;
    uint8_t* quad = block + kInfoHeaderSize;
    for (uint16_t i = 0; i < colors; ++i, triple += 3, quad += 4) {
        quad[0] = triple[0];
        quad[1] = triple[1];
        quad[2] = triple[2];
    }
}

// Bytes from `offset` to the end of the file, or -1 when `offset` lies past it.
int64_t BytesFrom(size_t size, uint64_t offset)
{
    return offset <= size ? static_cast<int64_t>(size - offset) : -1;
}

} // namespace

uint16_t CountDibColors(const uint8_t* dibHeader)
{
    if (ReadU32(dibHeader) == kCoreHeaderSize)
        return ColorsForDepth(ReadU16(dibHeader + 10));
    const uint32_t used = ReadU32(dibHeader + 32);
    return used != 0 ? static_cast<uint16_t>(used) : ColorsForDepth(ReadU16(dibHeader + 14));
}

LoadFailure ReadDibLayout(const uint8_t* file, size_t size, DibLayout& layout)
{
    if (size < 2)
        return LoadFailure::UnknownFormat;
    const bool hasFileHeader = file[0] == 'B' && file[1] == 'M';
    const size_t headerAt = hasFileHeader ? kFileHeaderSize : 0;
    if (BytesFrom(size, headerAt) < 4)
        return LoadFailure::UnknownFormat;
    const uint8_t* dib = file + headerAt;
    const uint32_t headerSize = ReadU32(dib);
    if ((headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) ||
        BytesFrom(size, headerAt) < headerSize)
        return LoadFailure::UnknownFormat;

    const uint16_t colors = CountDibColors(dib);
    const size_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
    const uint64_t tableEnd = headerAt + headerSize + uint64_t{colors} * entrySize;
    if (BytesFrom(size, tableEnd) < 0)
        return LoadFailure::ConversionError;

    const size_t entries = std::max<size_t>(colors, kPaletteLookups) + 1;
    layout.header.reset(static_cast<uint8_t*>(std::calloc(kInfoHeaderSize + 4 * entries, 1)));
    uint8_t* block = layout.header.get();
    if (!block)
        return LoadFailure::OutOfMemory;
    if (headerSize == kCoreHeaderSize) {
        FillFromCoreHeader(dib, colors, block);
    } else {
        std::copy(dib, dib + kInfoHeaderSize + 4 * size_t{colors}, block);
        WriteU32(block, kInfoHeaderSize);
    }

    layout.width = ReadI32(block + 4);
    layout.height = ReadI32(block + 8);
    layout.bitCount = ReadU16(block + 14);
    layout.compression = ReadU32(block + 16);
    // The conversion looks up the file's own entries and never more than an
    // 8-bit index reaches; GDI is told the same, so that it reads nothing
    // past the block whatever count the file claims.
    layout.colorCount = layout.bitCount <= 8 ? std::min<uint32_t>(colors, kPaletteLookups) : 0;
    WriteU32(block + 32, layout.colorCount);

    // No 24-bit bitmap can be made to convert into for a picture without
    // pixels or one too large: refused before any is asked for.
    if (layout.width <= 0 || layout.height == 0 || layout.width > kMaxDibSide ||
        layout.height > kMaxDibSide || int64_t{layout.width} * layout.height > kMaxDibPixels)
        return LoadFailure::OutOfMemory;
    // Top-down pictures (negative height) are not taken: the renderer's
    // pictures are stored bottom-up.
    if (layout.height < 0 || !IsConvertibleFormat(layout.bitCount, layout.compression))
        return LoadFailure::ConversionError;

    const uint64_t bitsAt = hasFileHeader ? ReadU32(file + 10) : tableEnd;
    const int64_t available = BytesFrom(size, bitsAt);
    if (available < 0)
        return LoadFailure::ConversionError;
    layout.bits = file + bitsAt;

    if (layout.compression == kBiRgb) {
        const uint64_t needed = DibStride(layout.width, layout.bitCount) * layout.height;
        if (needed > static_cast<uint64_t>(available))
            return LoadFailure::ConversionError;
        layout.bitsSize = needed;
        return LoadFailure::None;
    }

    // Run-length data: the stated stream size must lie in the file and the
    // stream must end within it.
    const uint32_t streamSize = ReadU32(block + 20);
    if (streamSize > static_cast<uint64_t>(available))
        return LoadFailure::ConversionError;
    layout.bitsSize = streamSize;
    const bool complete = WalkRle(layout.bits, layout.bitsSize, layout.bitCount, layout.width,
                                  layout.height, [](int32_t, int64_t, uint8_t) {});
    return complete ? LoadFailure::None : LoadFailure::ConversionError;
}
