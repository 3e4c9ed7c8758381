// What every Wine test relies on: a display to create windows on and a sound
// device whose output lands in the session's file.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "little_endian.h"
#include "wine_paths.h"

namespace {

// A WAV file in memory: `samples` of 16-bit mono noise at 22050 Hz.
std::vector<uint8_t> MakeWav(uint32_t samples)
{
    const uint32_t dataBytes = samples * 2;
    std::vector<uint8_t> wav(44 + dataBytes);
    uint8_t* p = wav.data();
    std::memcpy(p, "RIFF", 4);
    WriteU32(p + 4, 36 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    WriteU32(p + 16, 16);
    WriteU16(p + 20, 1);
    WriteU16(p + 22, 1);
    WriteU32(p + 24, 22050);
    WriteU32(p + 28, 22050 * 2);
    WriteU16(p + 32, 2);
    WriteU16(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    WriteU32(p + 40, dataBytes);
    for (uint32_t i = 0; i < samples; ++i)
        WriteU16(p + 44 + 2 * i, static_cast<uint16_t>(i * 2654435761u >> 16));
    return wav;
}

} // namespace

TEST(WineEnvironment, WindowsCanBeCreatedAndFoundByName)
{
    HWND window = CreateWindowExA(0, "STATIC", "raivel-environment-probe", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "raivel-environment-probe"), window);
    DestroyWindow(window);
    EXPECT_EQ(FindWindowA(nullptr, "raivel-environment-probe"), nullptr);
}

TEST(WineEnvironment, SoundPlayedLandsInTheSessionFile)
{
    ASSERT_EQ(waveOutGetNumDevs(), 1u);
    const std::string sound = SessionSoundFile();
    ASSERT_FALSE(sound.empty()) << "RAIVEL_WINE_DIR is not set";
    // Emptied first: what is there afterwards was played now.
    CloseHandle(CreateFileA(sound.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, TRUNCATE_EXISTING, 0, nullptr));
    ASSERT_EQ(FileSize(sound), 0) << sound;

    const std::vector<uint8_t> wav = MakeWav(22050 / 4);
    ASSERT_TRUE(PlaySoundA(reinterpret_cast<const char*>(wav.data()), nullptr,
                           SND_MEMORY | SND_SYNC | SND_NODEFAULT));
    EXPECT_GT(FileSize(sound), 0);
}
