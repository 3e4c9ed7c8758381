#pragma once

#include <string>

// Our texts are UTF-8 in the source; Windows' ANSI calls take the system's
// code page. On other systems the text is passed on as it is.
std::string AnsiFromUtf8(const std::string& utf8);

#ifdef _WIN32
// UTF-8 to and from the wide text of Windows' W functions.
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);
// The system's ANSI code page to and from wide text.
std::wstring WideFromAnsi(const std::string& ansi);
std::string AnsiFromWide(const std::wstring& wide);
#endif
