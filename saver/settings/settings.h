#pragma once

#include <cstdint>
#include <string>

// The saver's settings: the background music choice, kept in Raivel.ini
// beside the program.

// 0 no music, 1 audio CD, 2 the music file BgmFile (MP3 or WAV); other
// values play nothing.
extern int16_t BgmKind;
// CD track played over and over; 0 lets the disc play on.
extern int16_t BgmRepeatTrack;
// Full path of the music file, or empty.
extern std::string BgmFile;
// Where the file chooser opens; not stored.
extern std::string BgmFolder;

// The file's one section and its keys, as the bytes stored in the file
// (Shift-JIS, whatever the system's code page).
extern const char* const kSettingsSection;
extern const char* const kKindKey;
extern const char* const kRepeatKey;
extern const char* const kFileKey;

// The settings file of a program in `programFolder`.
std::string SettingsPath(const std::string& programFolder);

// The value of `key`, at most 255 characters; empty when the file, the
// section or the key is missing.
std::string GetIni(const std::string& section, const std::string& key, const std::string& file);

// Writes key=value, creating the file and section as needed; the write's
// result goes to ApiResult.
void PutIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& file);

// Fills the settings from the file beside the program in `programFolder`.
// Values that cannot be read keep the field as it was; a music file that
// cannot be opened is forgotten, and with it the file kind.
void LoadSettings(const std::string& programFolder);

// Writes kind, repeat track and file, in that order.
void SaveSettings(const std::string& programFolder);
