#pragma once

#include <filesystem>
#include <string>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
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
