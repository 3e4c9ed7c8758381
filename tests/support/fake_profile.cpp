#include "fake_profile.h"

#include <cstring>

FakeProfile g_fakeProfile;
ProfileApi* g_profileApi = &g_fakeProfile;

void FakeProfile::GetString(const char* section, const char* key, char* buffer, uint32_t size,
                            const char* file)
{
    std::string value;
    const auto f = files.find(file);
    if (f != files.end()) {
        const auto s = f->second.find(section);
        if (s != f->second.end()) {
            const auto k = s->second.find(key);
            if (k != s->second.end())
                value = k->second;
        }
    }
    const size_t length = std::min<size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

int32_t FakeProfile::WriteString(const char* section, const char* key, const char* value,
                                 const char* file)
{
    writes.push_back({section, key, value, file});
    files[file][section][key] = value;
    return 1;
}
