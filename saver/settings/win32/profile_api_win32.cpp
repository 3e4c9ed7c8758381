#include <windows.h>

#include "profile_api.h"

namespace {

class Win32ProfileApi : public ProfileApi {
public:
    void GetString(const char* section, const char* key, char* buffer, uint32_t size,
                   const char* file) override
    {
        GetPrivateProfileStringA(section, key, "", buffer, size, file);
    }

    int32_t WriteString(const char* section, const char* key, const char* value,
                        const char* file) override
    {
        return WritePrivateProfileStringA(section, key, value, file);
    }
};

Win32ProfileApi g_win32ProfileApi;

} // namespace

ProfileApi* g_profileApi = &g_win32ProfileApi;
