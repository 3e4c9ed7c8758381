#include "text_encoding.h"

#ifdef _WIN32
#include <windows.h>

std::string AnsiFromUtf8(const std::string& utf8)
{
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                        wideLength);
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, &ansi[0], length, nullptr, nullptr);
    return ansi;
}
#else
std::string AnsiFromUtf8(const std::string& utf8)
{
    return utf8;
}
#endif
