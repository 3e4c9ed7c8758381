#include "music_player.h"

#include <cstring>

#include "media_api.h"
#include "number_text.h"
#include "saver_helpers.h"
#include "settings.h"
#include "text_encoding.h"

int16_t CdReady = kFalse;
std::string MciText;

namespace {

constexpr uint32_t kReplySize = 512;
constexpr uint32_t kErrorSize = 256;
constexpr uint32_t kCdModeSize = 256;
constexpr uint32_t kCdModeLength = 255;
constexpr uint32_t kMp3ModeSize = 30;

constexpr uint32_t kSoundAsyncLoop = 9; // SND_ASYNC | SND_LOOP

// Kept between calls: a query that fails leaves the last reply in place.
char g_reply[kReplySize];
char g_error[kErrorSize];
char g_cdMode[kCdModeSize];
char g_mp3Mode[kMp3ModeSize];

std::string BufferText(const char* buffer, size_t size)
{
    return std::string(buffer, strnlen(buffer, size));
}

// A command whose reply and return code nobody reads.
void Send(const std::string& command)
{
    g_mediaApi->SendString(command.c_str(), nullptr, 0);
}

bool StartsWith(const char* buffer, const char* word)
{
    return std::strncmp(buffer, word, std::strlen(word)) == 0;
}

// Status replies are taken as failed when they mention "ERR" in any case.
bool ReportsError(const std::string& reply)
{
    return UpperCase(reply).find("ERR") != std::string::npos;
}

} // namespace

int32_t MciCommand(const std::string& command, std::string& text)
{
    if (command.empty()) {
        text = AnsiFromUtf8("コマンド文字列が指定されていません");
        return -1;
    }
    const int32_t code = g_mediaApi->SendString(command.c_str(), g_reply, kReplySize);
    ApiResult = code;
    if (code != 0) {
        if (g_mediaApi->GetErrorString(code, g_error, kErrorSize))
            text = BufferText(g_error, kErrorSize);
        else
            text = AnsiFromUtf8("Error (文字列が取れません)");
        return code;
    }
    text = BufferText(g_reply, kReplySize);
    return 0;
}

std::string MciStatus(const std::string& command)
{
    const int32_t code = MciCommand(command, MciText);
    ApiResult = code;
    if (code != 0)
        return "Error:" + std::to_string(code);
    return MciText;
}

int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to)
{
    std::string command = "play " + device;
    if (!from.empty())
        command += " from " + from;
    if (!to.empty())
        command += " to " + to;
    return MciCommand(command, MciText);
}

void CdOpen()
{
    Send("open cdaudio");
    Send("set cdaudio time format tmsf");
}

void CdPoll()
{
    CdReady = kTrue;
    const std::string current = MciStatus("status cdaudio current track");
    if (ReportsError(current)) {
        CdReady = kFalse;
        return;
    }
    if (ReportsError(MciStatus("status cdaudio number of tracks"))) {
        CdReady = kFalse;
        return;
    }
    ApiResult = g_mediaApi->SendString("status cdaudio mode", g_cdMode, kCdModeLength);
    const bool stopped = StartsWith(g_cdMode, "stopped");

    if (BgmRepeatTrack == 0) {
        if (stopped)
            MciPlay("cdaudio", "", "");
        return;
    }
    const auto track = ParseNumber16(current);
    if (!track) {
        CdReady = kFalse;
        return;
    }
    if (stopped || *track != BgmRepeatTrack) {
        const std::string start =
            MciStatus("status cdaudio position track " + std::to_string(BgmRepeatTrack));
        MciPlay("cdaudio", start, "");
    }
}

void CdStop()
{
    Send("stop cdaudio");
    Send("close cdaudio");
}

void Mp3Play()
{
    ApiResult = g_mediaApi->SendString(
        ("open \"" + BgmFile + "\" type MPEGVideo Alias MP3Play").c_str(), nullptr, 0);
    if (ApiResult == 0)
        Send("play MP3Play");
}

int16_t Mp3IsPlaying()
{
    g_mediaApi->SendString("status MP3Play mode", g_mp3Mode, kMp3ModeSize);
    return StartsWith(g_mp3Mode, "playing") ? kTrue : kFalse;
}

void Mp3Loop()
{
    if (Mp3IsPlaying() == kFalse) {
        Send("stop MP3Play");
        Send("play MP3Play from 0");
    }
}

void Mp3Stop()
{
    Send("stop MP3Play");
    Send("close MP3Play");
}

void WavPlay()
{
    if (g_mediaApi->WaveOutDeviceCount() <= 0)
        return;
    ApiResult = g_mediaApi->PlayWave(BgmFile.c_str(), kSoundAsyncLoop);
}

void WavStop()
{
    g_mediaApi->PlayWave(nullptr, 0);
}
