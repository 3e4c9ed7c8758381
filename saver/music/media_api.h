#pragma once

#include <cstdint>

// The platform's media calls (winmm) behind a seam, so that the music player
// can be tested without Windows and without a CD drive.
class MediaApi {
public:
    virtual ~MediaApi() = default;
    // mciSendStringA without a notification window: sends one command string
    // and copies the reply, cut to length - 1 characters, into `reply` (none
    // when `reply` is null and `length` 0). Its return code.
    virtual int32_t SendString(const char* command, char* reply, uint32_t length) = 0;
    // mciGetErrorStringA: the text of an MCI error code; false when there is
    // none.
    virtual bool GetErrorString(int32_t code, char* buffer, uint32_t length) = 0;
    // PlaySoundA without a module; `sound` null stops the sound playing.
    virtual int32_t PlayWave(const char* sound, uint32_t flags) = 0;
    // waveOutGetNumDevs: the number of wave output devices.
    virtual int32_t WaveOutDeviceCount() = 0;
};

// The media calls in use: Windows' own in the saver, a stand-in in tests.
extern MediaApi* g_mediaApi;
