#pragma once

#include <cstddef>
#include <cstdint>

// A whole file mapped read-only into memory. An empty file cannot be mapped.
class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // Opens and maps `path`; false when the file, its mapping or its view
    // cannot be had.
    bool Open(const char* path);

    const uint8_t* Data() const { return data_; }
    size_t Size() const { return size_; }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
#ifdef _WIN32
    void* file_ = nullptr;
    void* mapping_ = nullptr;
#else
    int fd_ = -1;
#endif
};
