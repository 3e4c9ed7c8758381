#include "wallpaper_picture.h"

#include <wincodec.h>

namespace {

// Releases a COM interface when it goes.
template <class Interface> class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held()
    {
        if (pointer_)
            pointer_->Release();
    }
    Interface** operator&() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

} // namespace

HBITMAP DecodeWallpaper(const std::wstring& path)
{
    Held<IWICImagingFactory> factory;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        width == 0 || height == 0 || uint64_t{width} * height > kLargestWallpaperPixels)
        return nullptr;
    // Through the factory, not WICConvertBitmapSource: the programs then load
    // the imaging DLL only when they decode.
    Held<IWICFormatConverter> pixels;
    if (FAILED(factory->CreateFormatConverter(&pixels)) ||
        FAILED(pixels->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                  nullptr, 0, WICBitmapPaletteTypeCustom)))
        return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height); // top row first, as WIC gives it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const UINT stride = 4 * width;
    if (picture &&
        FAILED(pixels->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        DeleteObject(picture);
        return nullptr;
    }
    return picture;
}
