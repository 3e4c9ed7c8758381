#include "saver_helpers.h"

#include <cctype>
#include <cstdio>
#include <sys/stat.h>

int32_t CursorCount = 0;
int32_t ApiResult = 0;

bool FileExists(const std::string& path)
{
    std::string name = path;
    if (!name.empty() && name.back() == '\\')
        name.pop_back();
    if (name.empty())
        return false;
    // A folder opens for reading on some systems; it is never a file here.
    struct stat info;
    if (stat(name.c_str(), &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR)
        return false;
    FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t last = path.find_last_of(":\\");
    std::string folder = last == std::string::npos ? std::string() : path.substr(0, last + 1);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string UpperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

char ModeLetter(const std::string& arguments)
{
    if (arguments.size() < 2)
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(arguments[1])));
}
