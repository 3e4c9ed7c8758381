#include "ansi_text.h"

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
