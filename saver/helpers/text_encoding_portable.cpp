#include "text_encoding.h"

std::string AnsiFromUtf8(const std::string& utf8)
{
    return utf8;
}
