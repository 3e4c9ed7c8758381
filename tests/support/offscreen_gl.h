#pragma once

#include <GL/osmesa.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// A headless OpenGL context (Mesa's off-screen renderer) drawing into memory,
// current from construction to destruction.
class OffscreenGl {
public:
    OffscreenGl(int width, int height);
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;
    ~OffscreenGl();

    bool Ok() const { return context_ != nullptr; }
    // Red, green, blue and alpha of pixel (x, y), y counted from the bottom.
    const uint8_t* Pixel(int x, int y) const { return &buffer_[4 * (std::size_t(y) * width_ + x)]; }

    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
    std::vector<uint8_t> buffer_;
    OSMesaContext context_ = nullptr;
};
