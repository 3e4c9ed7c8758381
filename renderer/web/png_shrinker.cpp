#include "png_shrinker.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

uint32_t BigEndian32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// The samples a pixel has of `colourType`; 0 for none a PNG has.
size_t Channels(uint8_t colourType)
{
    switch (colourType) {
    case 0: // grey
    case 3: // palette
        return 1;
    case 2: // red, green, blue
        return 3;
    case 4: // grey, alpha
        return 2;
    case 6: // red, green, blue, alpha
        return 4;
    default:
        return 0;
    }
}

bool DepthAllowed(uint8_t colourType, uint8_t depth)
{
    switch (colourType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    default:
        return depth == 8 || depth == 16;
    }
}

// The first of `whole` columns (or rows) in part `part` of `parts`.
uint32_t PartStart(uint64_t part, uint64_t whole, uint64_t parts)
{
    return static_cast<uint32_t>((part * whole + parts - 1) / parts);
}

uint8_t Paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return static_cast<uint8_t>(left);
    return static_cast<uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

} // namespace

bool PngShrinker::Start(const uint8_t* header, size_t headerSize, const uint8_t* palette,
                        size_t paletteSize, int width, int height)
{
    height_ = 0;
    if (headerSize != 13)
        return false;
    const uint32_t pictureWidth = BigEndian32(header);
    const uint32_t pictureHeight = BigEndian32(header + 4);
    depth_ = header[8];
    colourType_ = header[9];
    channels_ = Channels(colourType_);
    // Compression, filter method and interlacing: 0 is the one of each taken.
    if (pictureWidth == 0 || pictureWidth > kWidest || pictureHeight == 0 ||
        pictureHeight > 0x7fffffffu || !channels_ || !DepthAllowed(colourType_, depth_) ||
        header[10] || header[11] || header[12])
        return false;
    if (width < 1 || height < 1 || static_cast<uint32_t>(width) > pictureWidth ||
        static_cast<uint32_t>(height) > pictureHeight)
        return false;
    palette_.assign(3 * 256, 0);
    if (colourType_ == 3) {
        if (paletteSize == 0 || paletteSize % 3 || paletteSize > palette_.size())
            return false;
        std::memcpy(palette_.data(), palette, paletteSize);
    }

    const size_t pixelBits = channels_ * depth_;
    filterStep_ = std::max<size_t>(1, pixelBits / 8);
    const size_t rowBytes = (pictureWidth * pixelBits + 7) / 8;
    row_.assign(1 + rowBytes, 0);
    previous_.assign(1 + rowBytes, 0);
    filled_ = 0;
    y_ = 0;
    shrunkWidth_ = width;
    shrunkHeight_ = height;
    columnStarts_.resize(size_t(width) + 1);
    for (int column = 0; column <= width; ++column)
        columnStarts_[column] = PartStart(column, pictureWidth, width);
    sums_.assign(3 * size_t(width), 0);
    shrunkY_ = 0;
    picture_.assign(4 * size_t(width) * height, 255);
    width_ = pictureWidth;
    height_ = pictureHeight;
    return true;
}

bool PngShrinker::Feed(const uint8_t* bytes, size_t size)
{
    while (size && y_ < height_) {
        const size_t taken = std::min(size, row_.size() - filled_);
        std::memcpy(row_.data() + filled_, bytes, taken);
        filled_ += taken;
        bytes += taken;
        size -= taken;
        if (filled_ == row_.size()) {
            if (!TakeRow())
                return false;
            filled_ = 0;
        }
    }
    return true;
}

const uint8_t* PngShrinker::Picture() const
{
    return height_ && y_ == height_ ? picture_.data() : nullptr;
}

bool PngShrinker::TakeRow()
{
    uint8_t* row = row_.data() + 1;
    const uint8_t* up = previous_.data() + 1;
    const size_t bytes = row_.size() - 1;
    const size_t step = filterStep_;
    switch (row_[0]) {
    case 0:
        break;
    case 1: // sub
        for (size_t i = step; i < bytes; ++i)
            row[i] = static_cast<uint8_t>(row[i] + row[i - step]);
        break;
    case 2: // up
        for (size_t i = 0; i < bytes; ++i)
            row[i] = static_cast<uint8_t>(row[i] + up[i]);
        break;
    case 3: // average
        for (size_t i = 0; i < bytes; ++i)
            row[i] = static_cast<uint8_t>(row[i] + ((i < step ? 0 : row[i - step]) + up[i]) / 2);
        break;
    case 4: // Paeth
        for (size_t i = 0; i < bytes; ++i)
            row[i] = static_cast<uint8_t>(
                row[i] + (i < step ? up[i] : Paeth(row[i - step], up[i], up[i - step])));
        break;
    default:
        return false;
    }
    AddRow(row);
    row_.swap(previous_);
    ++y_;
    return true;
}

void PngShrinker::Sample(const uint8_t* row, uint32_t x, uint64_t* rgb) const
{
    if (depth_ < 8) {
        const size_t bit = size_t(x) * depth_;
        const unsigned most = (1u << depth_) - 1;
        const unsigned value = row[bit / 8] >> (8 - depth_ - bit % 8) & most;
        if (colourType_ == 3) {
            for (int i = 0; i < 3; ++i)
                rgb[i] += palette_[3 * value + i];
        } else {
            const unsigned grey = value * 255 / most;
            rgb[0] += grey;
            rgb[1] += grey;
            rgb[2] += grey;
        }
        return;
    }
    // A 16-bit sample's high byte comes first.
    const size_t sampleBytes = depth_ / 8;
    const uint8_t* pixel = row + size_t(x) * channels_ * sampleBytes;
    if (colourType_ == 3) {
        for (int i = 0; i < 3; ++i)
            rgb[i] += palette_[3 * pixel[0] + i];
    } else if (channels_ <= 2) {
        rgb[0] += pixel[0];
        rgb[1] += pixel[0];
        rgb[2] += pixel[0];
    } else {
        for (size_t i = 0; i < 3; ++i)
            rgb[i] += pixel[i * sampleBytes];
    }
}

void PngShrinker::AddRow(const uint8_t* row)
{
    int column = 0;
    for (uint32_t x = 0; x < width_; ++x) {
        while (x >= columnStarts_[column + 1])
            ++column;
        Sample(row, x, &sums_[3 * size_t(column)]);
    }
    const uint32_t rowsStart = PartStart(shrunkY_, height_, shrunkHeight_);
    const uint32_t rowsEnd = PartStart(shrunkY_ + 1, height_, shrunkHeight_);
    if (y_ + 1 < rowsEnd)
        return;
    // The shrunk row is whole: each box's mean, rounded.
    uint8_t* shrunk = &picture_[4 * size_t(shrunkY_) * shrunkWidth_];
    for (column = 0; column < shrunkWidth_; ++column) {
        const uint64_t pixels =
            uint64_t{columnStarts_[column + 1] - columnStarts_[column]} * (rowsEnd - rowsStart);
        for (int i = 0; i < 3; ++i) {
            uint64_t& sum = sums_[3 * size_t(column) + i];
            shrunk[4 * column + i] = static_cast<uint8_t>((sum + pixels / 2) / pixels);
            sum = 0;
        }
    }
    ++shrunkY_;
}
