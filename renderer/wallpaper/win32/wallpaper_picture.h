#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The most pixels a wallpaper may have: 2^25, 128 MiB at the 4 bytes each
// that it takes decoded. An 8K picture (7680 x 4320) is within it.
inline constexpr uint64_t kLargestWallpaperPixels = uint64_t{1} << 25;

// The picture file at `path`, decoded by the Windows Imaging Component
// (whatever Windows shows as a wallpaper: JPEG, PNG, BMP, GIF, TIFF...) into
// a 32-bit DIB section, the caller's to delete. Null for a file that cannot
// be read or decoded, and, before any decoding, for a picture of more than
// kLargestWallpaperPixels pixels. Needs COM on the calling thread.
HBITMAP DecodeWallpaper(const std::wstring& path);
