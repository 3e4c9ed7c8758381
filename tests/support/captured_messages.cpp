#include "captured_messages.h"

#include "loader_message.h"

std::vector<std::string> g_loaderMessages;

void ShowLoaderMessage(const char* text)
{
    g_loaderMessages.emplace_back(text);
}
