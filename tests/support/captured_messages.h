#pragma once

#include <string>
#include <vector>

// The loader's messages, kept by the tests instead of being shown.
extern std::vector<std::string> g_loaderMessages;
