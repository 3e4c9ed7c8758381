#include <windows.h>

#include <cstdlib>

#include "dib_convert.h"
#include "little_endian.h"

namespace {

// Header of the 24-bit destination: the source's size, 1 plane, no
// compression, rows padded to 4 bytes.
BITMAPINFOHEADER* NewDestinationHeader(const DibLayout& dib)
{
    // 44 bytes: the header and room for one colour entry, zero-filled.
    auto* header = static_cast<BITMAPINFOHEADER*>(std::calloc(1, sizeof(BITMAPINFOHEADER) + 4));
    if (!header)
        return nullptr;
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = dib.width;
    header->biHeight = dib.height;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(DibStride(dib.width, 24) * dib.height);
    return header;
}

} // namespace

LoadFailure ConvertDibGdi(const DibLayout& dib, const BgrRowSink& sink)
{
    LoadFailure failure = LoadFailure::OutOfMemory;
    HDC memoryDc = CreateCompatibleDC(nullptr);
    BITMAPINFOHEADER* destination = memoryDc ? NewDestinationHeader(dib) : nullptr;
    void* rows = nullptr;
    HBITMAP section = destination
                          ? CreateDIBSection(memoryDc, reinterpret_cast<BITMAPINFO*>(destination),
                                             DIB_RGB_COLORS, &rows, nullptr, 0)
                          : nullptr;
    if (section && SelectObject(memoryDc, section)) {
        const int lines =
            SetDIBits(memoryDc, section, 0, static_cast<UINT>(dib.height), dib.bits,
                      reinterpret_cast<const BITMAPINFO*>(dib.header.get()), DIB_RGB_COLORS);
        if (lines == 0) {
            failure = LoadFailure::ConversionError;
        } else {
            GdiFlush();
            const uint64_t stride = DibStride(dib.width, 24);
            for (int32_t row = 0; row < dib.height; ++row)
                sink(row, static_cast<const uint8_t*>(rows) + row * stride);
            failure = LoadFailure::None;
        }
    }
    // The context goes first: a bitmap still selected into one cannot be
    // deleted.
    if (memoryDc)
        DeleteDC(memoryDc);
    if (section)
        DeleteObject(section);
    std::free(destination);
    return failure;
}
