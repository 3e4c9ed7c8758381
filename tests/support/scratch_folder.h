#pragma once

#include <filesystem>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <unistd.h>

#include <fstream>
#endif

// A folder for a test's files under the system's temporary folder, named
// with the process id so that two test runs on one machine stay apart.
inline std::filesystem::path ScratchFolder(const std::string& name)
{
#ifdef _WIN32
    const int id = _getpid();
#else
    const int id = static_cast<int>(getpid());
#endif
    return std::filesystem::temp_directory_path() / (name + "-" + std::to_string(id));
}

// Whether this process holds a file of `folder` open or mapped.
inline bool HoldsAFileIn(const std::filesystem::path& folder)
{
#ifdef _WIN32
    // Nothing else opens a test's files: one that cannot be had for writing,
    // shared with nobody, is still held.
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        int file = -1;
        if (_wsopen_s(&file, entry.path().c_str(), _O_RDWR | _O_BINARY, _SH_DENYRW,
                      _S_IREAD | _S_IWRITE) != 0)
            return true;
        _close(file);
    }
    return false;
#else
    const std::string name = std::filesystem::canonical(folder).string();
    for (const auto& descriptor : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        if (std::filesystem::read_symlink(descriptor.path(), gone).string().rfind(name, 0) == 0)
            return true;
    }
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(name) != std::string::npos)
            return true;
    }
    return false;
#endif
}
