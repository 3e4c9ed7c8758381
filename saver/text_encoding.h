#pragma once

#include <string>

// Our texts are UTF-8 in the source; Windows' ANSI calls take the system's
// code page. On other systems the text is passed on as it is.
std::string AnsiFromUtf8(const std::string& utf8);
