#include "bitmap_loader.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#ifdef _WIN32
#include <share.h>
#endif

#include "dib_convert.h"
#include "dib_layout.h"
#include "loader_message.h"
#include "mapped_file.h"
#include "rgb_row.h"

namespace {

const char* MessageFor(LoadFailure failure)
{
    switch (failure) {
    case LoadFailure::UnknownFormat:
        return "Unknown DIB file format.";
    case LoadFailure::OutOfMemory:
        return "Out of memory.";
    case LoadFailure::ConversionError:
    default:
        return "Image file conversion error.";
    }
}

LoadFailure Convert(const DibLayout& dib, const BgrRowSink& sink)
{
#ifdef _WIN32
    return ConvertDibGdi(dib, sink);
#else
    return ConvertDibPortable(dib, sink);
#endif
}

} // namespace

RgbImage* LoadCaptureImage(const char* fileName)
{
    if (!fileName)
        return nullptr;
#ifdef _WIN32
    FILE* probe = _fsopen(fileName, "r", _SH_DENYNO);
#else
    FILE* probe = std::fopen(fileName, "r");
#endif
    if (!probe)
        return nullptr;
    std::fclose(probe);
    return LoadDibImage(fileName);
}

RgbImage* LoadDibImage(const char* fileName)
{
    MappedFile file;
    if (!file.Open(fileName)) {
        ShowLoaderMessage(("Failed to open DIB file " + std::string(fileName) + ".\n").c_str());
        return nullptr;
    }
    return DecodeDibImage(file.Data(), file.Size());
}

RgbImage* DecodeDibImage(const uint8_t* bytes, size_t size)
{
    DibLayout dib;
    LoadFailure failure = ReadDibLayout(bytes, size, dib);
    uint8_t* pixels = nullptr;
    if (failure == LoadFailure::None) {
        const size_t rowBytes = size_t{3} * dib.width;
        pixels = static_cast<uint8_t*>(std::malloc(rowBytes * dib.height));
        if (!pixels)
            failure = LoadFailure::OutOfMemory;
        else
            failure = Convert(dib, [&](int32_t row, const uint8_t* bgr) {
                CopyRowAsRgb(bgr, pixels + row * rowBytes, dib.width);
            });
    }

    RgbImage* image = nullptr;
    if (failure == LoadFailure::None) {
        image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
        if (image)
            *image = RgbImage{dib.width, dib.height, pixels};
        else
            failure = LoadFailure::OutOfMemory;
    }
    if (!image) {
        std::free(pixels);
        ShowLoaderMessage(MessageFor(failure));
    }
    return image;
}
