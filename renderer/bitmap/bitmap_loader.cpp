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
    // Uncompressed 24-bit rows, the capture files' own, are already what a
    // 24-bit DIB section holds: they go to the copy straight from the file,
    // which spares a conversion into a section as large as the picture.
    // Every other format is GDI's to convert.
    if (dib.bitCount == 24 && dib.compression == kBiRgb)
        return ConvertDibPortable(dib, sink);
    return ConvertDibGdi(dib, sink);
#else
    return ConvertDibPortable(dib, sink);
#endif
}

// Converts a bitmap in memory into a new RgbImage; null, with the reason in
// `failure`, when it cannot.
RgbImage* Decode(const uint8_t* bytes, size_t size, LoadFailure& failure)
{
    DibLayout dib;
    failure = ReadDibLayout(bytes, size, dib);
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
    if (!image)
        std::free(pixels);
    return image;
}

// What loading a file came to: whether it could be opened and mapped, and
// the picture or why there is none.
struct LoadOutcome {
    bool opened = false;
    RgbImage* image = nullptr;
    LoadFailure failure = LoadFailure::None;
};

// Maps the file, converts it and closes it again before returning.
LoadOutcome LoadMappedFile(const char* fileName)
{
    MappedFile file;
    if (!file.Open(fileName))
        return {};
    LoadOutcome outcome{true};
    outcome.image = Decode(file.Data(), file.Size(), outcome.failure);
    return outcome;
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
    // The file is closed before any message shows: the box may stay up for
    // long, and the file must not stay held while it does.
    const LoadOutcome outcome = LoadMappedFile(fileName);
    if (!outcome.opened)
        ShowLoaderMessage(("Failed to open DIB file " + std::string(fileName) + ".\n").c_str());
    else if (!outcome.image)
        ShowLoaderMessage(MessageFor(outcome.failure));
    return outcome.image;
}

RgbImage* DecodeDibImage(const uint8_t* bytes, size_t size)
{
    LoadFailure failure;
    RgbImage* image = Decode(bytes, size, failure);
    if (!image)
        ShowLoaderMessage(MessageFor(failure));
    return image;
}
