#pragma once

#include <cstdint>
#include <string>

// The platform's private-profile (INI file) calls, behind a seam so that the
// settings rules can be tested without Windows.
class ProfileApi {
public:
    virtual ~ProfileApi() = default;
    // GetPrivateProfileStringA with an empty default: copies the value, cut
    // to size - 1 characters, into `buffer`.
    virtual void GetString(const char* section, const char* key, char* buffer, uint32_t size,
                           const char* file) = 0;
    // WritePrivateProfileStringA; its return value.
    virtual int32_t WriteString(const char* section, const char* key, const char* value,
                                const char* file) = 0;
};

// The profile calls in use: Windows' own in the saver, a stand-in in tests.
extern ProfileApi* g_profileApi;
