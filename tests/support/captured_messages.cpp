#include "captured_messages.h"

#include "loader_message.h"

std::vector<std::string> g_loaderMessages;
std::function<void()> g_whileLoaderMessageShows;

void ShowLoaderMessage(const char* text)
{
    g_loaderMessages.emplace_back(text);
    if (g_whileLoaderMessageShows)
        g_whileLoaderMessageShows();
}
