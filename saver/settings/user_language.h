#pragma once

#include <cstdint>

// The languages Raivel speaks: Japanese on a Japanese Windows, English on
// every other.
enum class Language { English, Japanese };

// The language for a Windows language identifier, such as the user's display
// language: Japanese when its primary language (the low ten bits) is
// Japanese, English otherwise.
Language LanguageOf(uint16_t languageId);

#ifdef _WIN32
// The language of the user's Windows display language.
Language UserLanguage();
#endif
