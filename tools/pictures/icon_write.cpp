#include "icon_write.h"

#include <cstdio>

namespace {

constexpr uint32_t kDirBytes = 6;
constexpr uint32_t kEntryBytes = 16;
constexpr uint32_t kInfoHeaderBytes = 40;

// Appends `value` to `out` as `bytes` bytes, lowest first.
void Append(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> 8 * i));
}

// The mask row's bytes, each row padded to a multiple of 4 bytes.
uint32_t MaskRowBytes(int32_t size)
{
    return (static_cast<uint32_t>(size) + 31) / 32 * 4;
}

uint32_t ImageBytes(const IconImage& image)
{
    const uint32_t size = static_cast<uint32_t>(image.size);
    return kInfoHeaderBytes + 4 * size * size + MaskRowBytes(image.size) * size;
}

// The picture as the file stores it: an info header of twice its height (the
// colours over the mask), the BGRA rows and then the mask rows, bottom first.
void AppendImage(std::vector<uint8_t>& out, const IconImage& image)
{
    const int32_t size = image.size;
    Append(out, kInfoHeaderBytes, 4);
    Append(out, static_cast<uint32_t>(size), 4);
    Append(out, static_cast<uint32_t>(2 * size), 4);
    Append(out, 1, 2);  // planes
    Append(out, 32, 2); // bits per pixel
    Append(out, 0, 4);  // uncompressed
    Append(out, ImageBytes(image) - kInfoHeaderBytes, 4);
    Append(out, 0, 16); // resolution and palette: none
    for (int32_t y = size - 1; y >= 0; --y) {
        for (int32_t x = 0; x < size; ++x)
            Append(out, image.pixels[y * size + x], 4);
    }
    for (int32_t y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(MaskRowBytes(size), 0);
        for (int32_t x = 0; x < size; ++x) {
            if (image.pixels[y * size + x] >> 24 == 0)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

bool SaveIconFile(const std::string& path, const std::vector<IconImage>& images,
                  std::optional<CursorHotspot> hotspot)
{
    if (images.empty() || images.size() > 0xFFFF)
        return false;
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > 256 ||
            image.pixels.size() != static_cast<size_t>(image.size) * image.size)
            return false;
    }

    std::vector<uint8_t> file;
    Append(file, 0, 2);
    Append(file, hotspot ? 2 : 1, 2);
    Append(file, static_cast<uint32_t>(images.size()), 2);
    uint32_t offset = kDirBytes + kEntryBytes * static_cast<uint32_t>(images.size());
    for (const IconImage& image : images) {
        Append(file, static_cast<uint32_t>(image.size % 256), 1); // 256 is written as 0
        Append(file, static_cast<uint32_t>(image.size % 256), 1);
        Append(file, 0, 2); // no palette, reserved
        // An icon's planes and bits per pixel; a cursor's hot spot instead.
        Append(file, hotspot ? hotspot->x : 1, 2);
        Append(file, hotspot ? hotspot->y : 32, 2);
        Append(file, ImageBytes(image), 4);
        Append(file, offset, 4);
        offset += ImageBytes(image);
    }
    for (const IconImage& image : images)
        AppendImage(file, image);

    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok;
}
