#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One square picture of an icon or cursor file: size x size pixels (1 to 256)
// as 0xAARRGGBB, top row first.
struct IconImage {
    int32_t size = 0;
    std::vector<uint32_t> pixels;
};

// The point of a cursor that does the pointing, in pixels from its top-left.
struct CursorHotspot {
    uint16_t x = 0;
    uint16_t y = 0;
};

// Writes `images` as a Windows icon file, or as a cursor file with `hotspot`
// when one is given. Each picture goes in as 32-bit BGRA with alpha plus the
// 1-bit mask of its fully transparent pixels. False when an image is malformed
// or the file cannot be written.
bool SaveIconFile(const std::string& path, const std::vector<IconImage>& images,
                  std::optional<CursorHotspot> hotspot = std::nullopt);
