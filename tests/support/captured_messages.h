#pragma once

#include <functional>
#include <string>
#include <vector>

// The loader's messages, kept by the tests instead of being shown.
extern std::vector<std::string> g_loaderMessages;
// Called as each message is shown, while the loader waits for it (as it
// waits for a message box); none when empty.
extern std::function<void()> g_whileLoaderMessageShows;
