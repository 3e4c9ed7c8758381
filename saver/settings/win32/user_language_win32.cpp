#include <windows.h>

#include "user_language.h"

Language UserLanguage()
{
    return LanguageOf(GetUserDefaultUILanguage());
}
