#include "picture_surface.h"

#include "bitmap_file.h"
#include "mirror_rows.h"

PictureSurface::PictureSurface(int width, int height)
{
    Create(width, height);
}

PictureSurface::PictureSurface(int resourceId)
{
    HBITMAP resource =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (resource && GetObjectA(resource, sizeof info, &info)) {
        Create(info.bmWidth, info.bmHeight);
        HDC source = CreateCompatibleDC(dc_);
        HGDIOBJ previous = SelectObject(source, resource);
        BitBlt(dc_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    if (resource)
        DeleteObject(resource);
}

PictureSurface::~PictureSurface()
{
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
}

void PictureSurface::Create(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as the file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!dc_ || !bitmap_)
        return;
    previous_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
}

void PictureSurface::Mirror()
{
    if (!bits_)
        return;
    GdiFlush();
    MirrorRows24(static_cast<uint8_t*>(bits_), width_, height_, Stride());
}

bool PictureSurface::SaveAs(const std::string& path, BitmapFileOpener open) const
{
    // A surface without pixels writes nothing, and takes the file there with it.
    GdiFlush();
    return SaveBitmap24(path, width_, height_, static_cast<const uint8_t*>(bits_), Stride(), open);
}
