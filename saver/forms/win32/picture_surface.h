#pragma once

#include <windows.h>

#include <string>

#include "bitmap_file.h"

// A picture surface: a 24-bit off-screen picture with a device context to
// draw into it, kept in memory so that it can be saved as a bitmap file.
class PictureSurface {
public:
    // A black picture of width x height.
    PictureSurface(int width, int height);
    // A copy of a bitmap resource of this program.
    explicit PictureSurface(int resourceId);
    PictureSurface(const PictureSurface&) = delete;
    PictureSurface& operator=(const PictureSurface&) = delete;
    ~PictureSurface();

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Turns the picture left to right.
    void Mirror();

    // Writes the picture as an uncompressed 24-bit bitmap file, opened by
    // `open` (bitmap_file.h).
    bool SaveAs(const std::string& path, BitmapFileOpener open = OpenForWriting) const;

private:
    void Create(int width, int height);
    // Bytes from one row of the picture to the next: rows are padded to 4.
    size_t Stride() const { return (size_t{3} * width_ + 3) / 4 * 4; }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
