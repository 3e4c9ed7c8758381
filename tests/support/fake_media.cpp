#include "fake_media.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

FakeMedia g_fakeMedia;
MediaApi* g_mediaApi = &g_fakeMedia;

namespace {

constexpr int32_t kOutOfRange = 282;

void CopyText(const std::string& text, char* buffer, uint32_t length)
{
    const size_t size = std::min<size_t>(text.size(), length - 1);
    std::memcpy(buffer, text.data(), size);
    buffer[size] = '\0';
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

} // namespace

int32_t FakeMedia::SendString(const char* command, char* reply, uint32_t length)
{
    sent.push_back({command, length});
    const auto script = scripted.find(command);
    const Answer answer = script != scripted.end() ? script->second : DeviceAnswer(command);
    // A failed command leaves the reply buffer as it was.
    if (answer.code == 0 && reply && length > 0)
        CopyText(answer.reply, reply, length);
    return answer.code;
}

bool FakeMedia::GetErrorString(int32_t code, char* buffer, uint32_t length)
{
    const auto text = errorTexts.find(code);
    if (text == errorTexts.end())
        return false;
    CopyText(text->second, buffer, length);
    return true;
}

int32_t FakeMedia::PlayWave(const char* sound, uint32_t flags)
{
    sounds.push_back({sound ? sound : "(none)", flags});
    return 1;
}

std::vector<std::string> FakeMedia::Commands() const
{
    std::vector<std::string> commands;
    for (const Sent& s : sent)
        commands.push_back(s.command);
    return commands;
}

FakeMedia::Answer FakeMedia::DeviceAnswer(const std::string& command)
{
    if (command == "status cdaudio current track")
        return {0, std::to_string(track)};
    if (command == "status cdaudio number of tracks")
        return {0, std::to_string(tracks)};
    if (command == "status cdaudio mode")
        return {0, playing ? "playing" : "stopped"};

    const std::string position = "status cdaudio position track ";
    if (StartsWith(command, position)) {
        int number = 0;
        char rest = 0;
        if (std::sscanf(command.c_str() + position.size(), "%d%c", &number, &rest) != 1 ||
            number < 1 || number > tracks)
            return {kOutOfRange, ""};
        char start[16];
        std::snprintf(start, sizeof start, "%02d:00:00:00", number);
        return {0, start};
    }

    if (command == "play cdaudio") {
        playing = true;
        return {0, ""};
    }
    const std::string playFrom = "play cdaudio from ";
    if (StartsWith(command, playFrom)) {
        int number = 0;
        int minutes = 0, seconds = 0, frames = 0;
        if (std::sscanf(command.c_str() + playFrom.size(), "%2d:%2d:%2d:%2d", &number, &minutes,
                        &seconds, &frames) != 4 ||
            number < 1 || number > tracks)
            return {kOutOfRange, ""};
        track = static_cast<int16_t>(number);
        playing = true;
        return {0, ""};
    }
    if (command == "stop cdaudio")
        playing = false;
    return {0, ""};
}
