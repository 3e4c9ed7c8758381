#include <windows.h>

#include <mmsystem.h>

#include "media_api.h"

namespace {

class Win32MediaApi : public MediaApi {
public:
    int32_t SendString(const char* command, char* reply, uint32_t length) override
    {
        return static_cast<int32_t>(mciSendStringA(command, reply, length, nullptr));
    }

    bool GetErrorString(int32_t code, char* buffer, uint32_t length) override
    {
        return mciGetErrorStringA(static_cast<MCIERROR>(code), buffer, length);
    }

    int32_t PlayWave(const char* sound, uint32_t flags) override
    {
        return PlaySoundA(sound, nullptr, flags);
    }

    int32_t WaveOutDeviceCount() override { return static_cast<int32_t>(waveOutGetNumDevs()); }
};

Win32MediaApi g_win32MediaApi;

} // namespace

MediaApi* g_mediaApi = &g_win32MediaApi;
