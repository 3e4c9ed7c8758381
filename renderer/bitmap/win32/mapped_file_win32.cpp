#include <windows.h>

#include "mapped_file.h"

bool MappedFile::Open(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    file_ = file;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || static_cast<uint64_t>(size.QuadPart) > SIZE_MAX)
        return false;
    mapping_ = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping_)
        return false;
    data_ = static_cast<const uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    if (!data_)
        return false;
    size_ = static_cast<size_t>(size.QuadPart);
    return true;
}

MappedFile::~MappedFile()
{
    if (data_)
        UnmapViewOfFile(data_);
    if (mapping_)
        CloseHandle(mapping_);
    if (file_)
        CloseHandle(file_);
}
