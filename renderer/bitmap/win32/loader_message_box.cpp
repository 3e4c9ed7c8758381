#include <windows.h>

#include "loader_message.h"

void ShowLoaderMessage(const char* text)
{
    MessageBoxA(GetFocus(), text, "Error", MB_OK);
}
