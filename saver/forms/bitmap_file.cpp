#include "bitmap_file.h"

#include <cstdio>
#include <vector>

namespace {

void Put16(uint8_t* p, uint32_t value)
{
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* p, uint32_t value)
{
    Put16(p, value);
    Put16(p + 2, value >> 16);
}

} // namespace

std::FILE* OpenForWriting(const std::string& path)
{
    return std::fopen(path.c_str(), "wb");
}

namespace {

bool WriteBitmap24(const std::string& path, int32_t width, int32_t height, const uint8_t* rows,
                   size_t stride, BitmapFileOpener open)
{
    if (!rows || width <= 0 || height <= 0)
        return false;
    const size_t rowBytes = size_t{3} * width;
    const size_t paddedRow = (rowBytes + 3) / 4 * 4;
    const uint64_t imageBytes = uint64_t{paddedRow} * height;
    if (imageBytes > 0xFFFFFFFFu - 54)
        return false;
    std::FILE* file = open(path);
    if (!file)
        return false;

    uint8_t header[54] = {'B', 'M'};
    Put32(header + 2, static_cast<uint32_t>(54 + imageBytes));
    Put32(header + 10, 54);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<uint32_t>(width));
    Put32(header + 22, static_cast<uint32_t>(height));
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 34, static_cast<uint32_t>(imageBytes));

    bool ok = std::fwrite(header, sizeof header, 1, file) == 1;
    if (stride == rowBytes && rowBytes == paddedRow) {
        // Rows that need no fill and follow each other go out in one write.
        ok = ok && std::fwrite(rows, 1, imageBytes, file) == imageBytes;
    } else {
        const std::vector<uint8_t> padding(paddedRow - rowBytes, 0);
        for (int32_t row = 0; ok && row < height; ++row)
            ok = std::fwrite(rows + row * stride, 1, rowBytes, file) == rowBytes &&
                 std::fwrite(padding.data(), 1, padding.size(), file) == padding.size();
    }
    return std::fclose(file) == 0 && ok;
}

} // namespace

bool SaveBitmap24(const std::string& path, int32_t width, int32_t height, const uint8_t* rows,
                  size_t stride, BitmapFileOpener open)
{
    const bool written = WriteBitmap24(path, width, height, rows, stride, open);
    if (!written)
        std::remove(path.c_str());
    return written;
}
