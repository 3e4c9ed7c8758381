#include "ansi_text.h"

size_t AnsiCharLength(const std::string& text, size_t at)
{
    return at + 1 < text.size() && IsAnsiLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
}

std::vector<size_t> AnsiCharStarts(const std::string& text)
{
    std::vector<size_t> starts;
    for (size_t at = 0; at < text.size(); at += AnsiCharLength(text, at))
        starts.push_back(at);
    return starts;
}
