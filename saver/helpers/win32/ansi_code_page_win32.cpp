#include <windows.h>

#include "ansi_text.h"

bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
}
