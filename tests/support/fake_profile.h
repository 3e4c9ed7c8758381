#pragma once

#include <map>
#include <string>
#include <vector>

#include "profile_api.h"

// Profile files kept in memory: values by file, section and key (compared as
// given), and every write in order.
class FakeProfile : public ProfileApi {
public:
    struct Write {
        std::string section, key, value, file;
        bool operator==(const Write& other) const
        {
            return section == other.section && key == other.key && value == other.value &&
                   file == other.file;
        }
    };

    void GetString(const char* section, const char* key, char* buffer, uint32_t size,
                   const char* file) override;
    int32_t WriteString(const char* section, const char* key, const char* value,
                        const char* file) override;

    std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> files;
    std::vector<Write> writes;
};

// The stand-in the saver's code uses in the tests.
extern FakeProfile g_fakeProfile;
