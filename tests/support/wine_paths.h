#pragma once

// Paths as the Windows test programs under Wine see them.

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

// A path of the Linux side, reached through Wine's Z: drive.
inline std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// The Wine session's sound output file (RAIVEL_WINE_DIR/sound.raw); empty
// when no session is named.
inline std::string SessionSoundFile()
{
    const char* session = std::getenv("RAIVEL_WINE_DIR");
    return session ? WindowsPath(std::string(session) + "/sound.raw") : std::string();
}

// The file's size in bytes, or -1 when it cannot be had.
inline int64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}
