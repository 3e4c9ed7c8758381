#include "saver_helpers.h"

#include <cctype>
#include <cstdio>
#include <sys/stat.h>

#include "ansi_text.h"

int32_t CursorCount = 0;
int32_t ApiResult = 0;

bool FileExists(const std::string& path)
{
    std::string name = path;
    const std::vector<size_t> characters = AnsiCharStarts(name);
    if (!characters.empty() && name.compare(characters.back(), std::string::npos, "\\") == 0)
        name.pop_back();
    if (name.empty())
        return false;
    FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return false;
    // A folder opens for reading on some systems; it is never a file here.
    // Asked of the open file, not of its name: the C runtime's own look at
    // a name ending in the byte 0x5C goes wrong in code page 932.
    struct stat info;
    const bool isFile = fstat(fileno(file), &info) == 0 && (info.st_mode & S_IFMT) != S_IFDIR;
    std::fclose(file);
    return isFile;
}

std::string FolderOf(const std::string& path)
{
    size_t end = 0; // just past the last ':' or '\'
    for (size_t at : AnsiCharStarts(path)) {
        if (path[at] == ':' || path[at] == '\\')
            end = at + 1;
    }
    // What is left ends with that character, a byte of its own.
    std::string folder = path.substr(0, end);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string UpperCase(std::string text)
{
    for (size_t at = 0; at < text.size(); at += AnsiCharLength(text, at)) {
        if (AnsiCharLength(text, at) == 1)
            text[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
    }
    return text;
}

std::string UpperEnding(const std::string& fileName)
{
    const std::vector<size_t> characters = AnsiCharStarts(fileName);
    const size_t from = characters.size() >= 3 ? characters[characters.size() - 3] : 0;
    return UpperCase(fileName.substr(from));
}

char ModeLetter(const std::string& arguments)
{
    const std::vector<size_t> characters = AnsiCharStarts(arguments);
    if (characters.size() < 2 || AnsiCharLength(arguments, characters[1]) != 1)
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(arguments[characters[1]])));
}
