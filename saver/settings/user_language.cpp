#include "user_language.h"

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x3ff;
constexpr uint16_t kPrimaryJapanese = 0x11;

} // namespace

Language LanguageOf(uint16_t languageId)
{
    return (languageId & kPrimaryLanguageMask) == kPrimaryJapanese ? Language::Japanese
                                                                   : Language::English;
}
