#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "mapped_file.h"

bool MappedFile::Open(const char* path)
{
    fd_ = open(path, O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    struct stat info;
    if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0)
        return false;
    // Populated up front: the whole file is read once, front to back.
    void* view = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ,
                      MAP_PRIVATE | MAP_POPULATE, fd_, 0);
    if (view == MAP_FAILED)
        return false;
    data_ = static_cast<const uint8_t*>(view);
    size_ = static_cast<size_t>(info.st_size);
    return true;
}

MappedFile::~MappedFile()
{
    if (data_)
        munmap(const_cast<uint8_t*>(data_), size_);
    if (fd_ >= 0)
        close(fd_);
}
