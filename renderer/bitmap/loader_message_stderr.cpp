#include <cstdio>
#include <cstring>

#include "loader_message.h"

void ShowLoaderMessage(const char* text)
{
    std::fputs(text, stderr);
    const size_t length = std::strlen(text);
    if (length == 0 || text[length - 1] != '\n')
        std::fputc('\n', stderr);
}
