#include "screen_saver_desktop.h"

#include <windows.h>

bool OnScreenSaverDesktop()
{
    HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
    wchar_t name[64] = {}; // a longer name is not the one looked for
    DWORD needed = 0;
    return desktop &&
           GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name - sizeof name[0],
                                     &needed) &&
           CompareStringOrdinal(name, -1, L"Screen-saver", -1, TRUE) == CSTR_EQUAL;
}
