#include "settings.h"

#include <cstring>

#include "number_text.h"
#include "profile_api.h"
#include "saver_helpers.h"

int16_t BgmKind = 0;
int16_t BgmRepeatTrack = 0;
std::string BgmFile;
std::string BgmFolder;

const char* const kSettingsSection = "Section";
const char* const kKindKey = "BGM\x8B\xE6\x95\xAA";       // BGM区分
const char* const kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4"; // BGMﾘﾋﾟｰﾄ
const char* const kFileKey = "BGM\xCC\xA7\xB2\xD9";       // BGMﾌｧｲﾙ

namespace {

constexpr uint32_t kValueBuffer = 256;
constexpr size_t kNameBuffer = 128;

// A field keeps its value when the stored text is not a 16-bit number.
void ReadNumber(const std::string& key, const std::string& file, int16_t& field)
{
    const std::string text = GetIni(kSettingsSection, key, file);
    if (text.empty()) {
        field = 0;
    } else if (const auto number = ParseNumber16(text)) {
        field = *number;
    }
}

// Names longer than 127 characters are cut, as the fixed name buffers did.
std::string Name(const std::string& name)
{
    return name.substr(0, kNameBuffer - 1);
}

} // namespace

std::string SettingsPath(const std::string& programFolder)
{
    return programFolder + "\\Raivel.ini";
}

std::string GetIni(const std::string& section, const std::string& key, const std::string& file)
{
    char buffer[kValueBuffer] = {};
    g_profileApi->GetString(section.c_str(), key.c_str(), buffer, kValueBuffer, file.c_str());
    return std::string(buffer, strnlen(buffer, kValueBuffer));
}

void PutIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& file)
{
    ApiResult = g_profileApi->WriteString(Name(section).c_str(), Name(key).c_str(), value.c_str(),
                                          file.c_str());
}

void LoadSettings(const std::string& programFolder)
{
    const std::string file = SettingsPath(programFolder);
    ReadNumber(kKindKey, file, BgmKind);
    ReadNumber(kRepeatKey, file, BgmRepeatTrack);
    BgmFolder = programFolder;

    BgmFile = GetIni(kSettingsSection, kFileKey, file);
    if (!BgmFile.empty() && FileExists(BgmFile)) {
        BgmFolder = FolderOf(BgmFile);
        return;
    }
    // No usable music file: the file kind cannot play.
    BgmFile.clear();
    if (BgmKind == 2)
        BgmKind = 0;
}

void SaveSettings(const std::string& programFolder)
{
    const std::string file = SettingsPath(programFolder);
    PutIni(kSettingsSection, kKindKey, NumberText(BgmKind), file);
    PutIni(kSettingsSection, kRepeatKey, NumberText(BgmRepeatTrack), file);
    PutIni(kSettingsSection, kFileKey, BgmFile, file);
}
