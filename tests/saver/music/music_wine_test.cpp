// The music player on Wine's own media devices: the WAV loop through the
// sound player, the MP3 through the MPEG device, and the CD device on a
// machine without a drive. What plays is heard in the session's sound file.
//
// Usage: music_wine_test TONE.wav TONE.mp3 MISSING.mp3 [gtest options]
// (each about 0.6 s long; the third does not exist).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "music_player.h"
#include "number_text.h"
#include "saver_helpers.h"
#include "settings.h"
#include "wine_paths.h"

namespace {

std::string g_wav;
std::string g_mp3;
std::string g_missing;

// Whether anything but silence reached the sound device after the file had
// `offset` bytes. When Wine opens the device the file may start anew (ALSA's
// file plugin truncates unless told not to); what it then holds is all new.
bool SoundSince(const std::string& path, int64_t offset)
{
    std::ifstream file(path, std::ios::binary);
    file.seekg(0, std::ios::end);
    file.seekg(file.tellg() >= offset ? offset : 0);
    const std::string data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return data.find_first_not_of('\0') != std::string::npos;
}

// Waits up to `timeoutMs` for Mp3IsPlaying to give false.
bool Mp3EndsWithin(DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (Mp3IsPlaying() == kFalse)
            return true;
        Sleep(50);
    }
    return false;
}

bool IsError(const std::string& status)
{
    return status.rfind("Error:", 0) == 0;
}

class MusicUnderWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        sound_ = SessionSoundFile();
        ASSERT_FALSE(sound_.empty()) << "RAIVEL_WINE_DIR is not set";
        ASSERT_GE(FileSize(sound_), 0) << sound_;
    }

    std::string sound_;
};

} // namespace

TEST_F(MusicUnderWine, WavLoopsUntilStopped)
{
    ASSERT_GT(waveOutGetNumDevs(), 0u);
    const int64_t wavLength = FileSize(g_wav);
    ASSERT_GT(wavLength, 0) << g_wav;

    BgmFile = g_wav;
    WavPlay();
    EXPECT_NE(ApiResult, 0);
    Sleep(200);
    const int64_t started = FileSize(sound_);
    // Four times the sound's own length, and still going.
    Sleep(2200);
    const int64_t played = FileSize(sound_);
    Sleep(600);
    const int64_t playedLater = FileSize(sound_);
    WavStop();
    EXPECT_GT(played - started, wavLength);
    EXPECT_GT(playedLater, played) << "not looping";
    EXPECT_TRUE(SoundSince(sound_, played)) << "only silence";

    Sleep(500);
    const int64_t stopped = FileSize(sound_);
    Sleep(1000);
    EXPECT_EQ(FileSize(sound_), stopped) << "still playing after WavStop";
}

TEST_F(MusicUnderWine, Mp3PlaysToItsEndAndRestartsFromItsBeginning)
{
    const int64_t before = FileSize(sound_);
    BgmFile = g_mp3;
    Mp3Play();
    ASSERT_EQ(ApiResult, 0);
    EXPECT_EQ(Mp3IsPlaying(), kTrue);

    ASSERT_TRUE(Mp3EndsWithin(5000)) << "still playing after 5 s";
    EXPECT_EQ(MciStatus("status MP3Play mode"), "stopped");
    EXPECT_TRUE(SoundSince(sound_, before)) << "the tone did not reach the sound device";
    // The device stays open and writes silence while the file is stopped.
    Sleep(300);
    const int64_t ended = FileSize(sound_);
    Sleep(500);
    EXPECT_FALSE(SoundSince(sound_, ended)) << "sound after the end";

    const int64_t restart = FileSize(sound_);
    Mp3Loop();
    const auto position = ParseNumber16(MciStatus("status MP3Play position"));
    ASSERT_TRUE(position) << MciText;
    EXPECT_LT(*position, 200) << "ms into the restarted file";
    EXPECT_EQ(Mp3IsPlaying(), kTrue);
    Sleep(300);
    Mp3Loop();
    EXPECT_GE(ParseNumber16(MciStatus("status MP3Play position")).value_or(0), 200)
        << "a playing file is left alone";
    EXPECT_TRUE(SoundSince(sound_, restart)) << "the restart is not heard";

    Mp3Stop();
    EXPECT_TRUE(IsError(MciStatus("status MP3Play mode"))) << "MP3Play still open";
}

TEST_F(MusicUnderWine, MissingMp3IsNotPlayed)
{
    BgmFile = g_missing;
    Mp3Play();
    EXPECT_NE(ApiResult, 0);
    EXPECT_TRUE(IsError(MciStatus("status MP3Play mode"))) << "MP3Play open";
    EXPECT_EQ(Mp3IsPlaying(), kFalse);
}

TEST_F(MusicUnderWine, WithoutCdDriveTheFirstPollEndsPolling)
{
    CdOpen();
    CdPoll();
    EXPECT_EQ(CdReady, kFalse) << MciText;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: music_wine_test TONE.wav TONE.mp3 MISSING.mp3\n");
        return 2;
    }
    g_wav = WindowsPath(argv[1]);
    g_mp3 = WindowsPath(argv[2]);
    g_missing = WindowsPath(argv[3]);
    return RUN_ALL_TESTS();
}
