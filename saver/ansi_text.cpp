#include "ansi_text.h"

#ifdef _WIN32
#include <windows.h>

bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
}
#else
namespace {

unsigned g_codePage = 1252;

} // namespace

void UseAnsiCodePage(unsigned codePage)
{
    g_codePage = codePage;
}

bool IsAnsiLeadByte(unsigned char byte)
{
    return g_codePage == 932 && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}
#endif

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
