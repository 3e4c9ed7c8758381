#include "bmp_builder.h"

#include <fstream>

#include "little_endian.h"

namespace {

void Append16(std::vector<uint8_t>& out, uint32_t value)
{
    out.resize(out.size() + 2);
    WriteU16(&out[out.size() - 2], static_cast<uint16_t>(value));
}

void Append32(std::vector<uint8_t>& out, uint32_t value)
{
    out.resize(out.size() + 4);
    WriteU32(&out[out.size() - 4], value);
}

} // namespace

std::vector<uint8_t> BuildBmp(const BmpRecipe& recipe)
{
    std::vector<uint8_t> dib;
    if (recipe.coreHeader) {
        Append32(dib, 12);
        Append16(dib, static_cast<uint32_t>(recipe.width));
        Append16(dib, static_cast<uint32_t>(recipe.height));
        Append16(dib, 1);
        Append16(dib, recipe.bitCount);
        for (uint32_t color : recipe.palette) {
            dib.push_back(static_cast<uint8_t>(color));
            dib.push_back(static_cast<uint8_t>(color >> 8));
            dib.push_back(static_cast<uint8_t>(color >> 16));
        }
    } else {
        Append32(dib, 40);
        Append32(dib, static_cast<uint32_t>(recipe.width));
        Append32(dib, static_cast<uint32_t>(recipe.height));
        Append16(dib, 1);
        Append16(dib, recipe.bitCount);
        Append32(dib, recipe.compression);
        Append32(dib,
                 recipe.sizeImage ? recipe.sizeImage : static_cast<uint32_t>(recipe.bits.size()));
        Append32(dib, 2835);
        Append32(dib, 2835);
        Append32(dib, recipe.clrUsed);
        Append32(dib, 0);
        for (uint32_t color : recipe.palette)
            Append32(dib, color & 0xFFFFFF);
    }

    std::vector<uint8_t> file;
    if (recipe.fileHeader) {
        file = {'B', 'M'};
        Append32(file, static_cast<uint32_t>(14 + dib.size() + recipe.bits.size()));
        Append32(file, 0);
        Append32(file, static_cast<uint32_t>(14 + dib.size()));
    }
    file.insert(file.end(), dib.begin(), dib.end());
    file.insert(file.end(), recipe.bits.begin(), recipe.bits.end());
    return file;
}

std::vector<uint8_t> PackRows(int32_t width, int32_t height, uint16_t bitCount,
                              const std::function<uint32_t(int32_t, int32_t)>& value)
{
    const size_t stride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
    std::vector<uint8_t> bits(stride * height);
    for (int32_t row = 0; row < height; ++row) {
        uint8_t* line = &bits[row * stride];
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t v = value(x, row);
            switch (bitCount) {
            case 1:
                line[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
                break;
            case 4:
                line[x / 2] |= static_cast<uint8_t>((v & 0x0F) << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                line[x] = static_cast<uint8_t>(v);
                break;
            case 16:
                WriteU16(line + 2 * x, static_cast<uint16_t>(v));
                break;
            default: { // 24 or 32: blue, green, red (and an unused byte)
                uint8_t* p = line + x * (bitCount / 8);
                p[0] = static_cast<uint8_t>(v);
                p[1] = static_cast<uint8_t>(v >> 8);
                p[2] = static_cast<uint8_t>(v >> 16);
                if (bitCount == 32)
                    p[3] = 0xA5;
            }
            }
        }
    }
    return bits;
}

std::vector<uint32_t> TestPalette(size_t count)
{
    std::vector<uint32_t> palette(count);
    for (size_t i = 0; i < count; ++i)
        palette[i] = static_cast<uint32_t>((i * 0x3B1F0D + 0x102030) & 0xFFFFFF);
    return palette;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
