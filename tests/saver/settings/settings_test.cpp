#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fake_profile.h"
#include "saver_helpers.h"
#include "scratch_folder.h"
#include "settings.h"

namespace {

const std::string kProgramFolder = "C:\\Saver";
const std::string kIni = "C:\\Saver\\Raivel.ini";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_fakeProfile.files.clear();
        g_fakeProfile.writes.clear();
        BgmKind = 0;
        BgmRepeatTrack = 0;
        BgmFile.clear();
        BgmFolder.clear();
        music_ = ScratchFolder("raivel-settings-test");
        std::filesystem::create_directories(music_);
        // snd\rain.wav: on Windows a file in the folder snd, elsewhere a file
        // whose name holds a backslash; either way its folder reads as snd.
        std::filesystem::create_directories(music_ / "snd");
        song_ = (music_ / "snd\\rain.wav").string();
        std::ofstream(song_) << "RIFF";
    }
    void TearDown() override { std::filesystem::remove_all(music_); }

    void Store(const char* key, const std::string& value)
    {
        g_fakeProfile.files[kIni][kSettingsSection][key] = value;
    }

    std::filesystem::path music_;
    std::string song_;
};

} // namespace

TEST_F(SettingsTest, NoFileGivesTheDefaults)
{
    BgmKind = 1; // from an earlier load: an empty value resets it
    LoadSettings(kProgramFolder);
    EXPECT_EQ(BgmKind, 0);
    EXPECT_EQ(BgmRepeatTrack, 0);
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmFolder, kProgramFolder);
}

TEST_F(SettingsTest, MusicFileMustOpenOrTheFileKindIsDropped)
{
    Store(kKindKey, " 2");
    LoadSettings(kProgramFolder);
    EXPECT_EQ(BgmKind, 0) << "kind 2 without a file";

    Store(kKindKey, " 1");
    Store(kFileKey, (music_ / "gone.mp3").string());
    LoadSettings(kProgramFolder);
    EXPECT_EQ(BgmKind, 1) << "the CD needs no file";
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmFolder, kProgramFolder);

    Store(kKindKey, " 2");
    Store(kFileKey, music_.string());
    LoadSettings(kProgramFolder);
    EXPECT_EQ(BgmKind, 0) << "a folder is no music file";
    EXPECT_EQ(BgmFile, "");

    Store(kFileKey, song_);
    LoadSettings(kProgramFolder);
    EXPECT_EQ(BgmKind, 2);
    EXPECT_EQ(BgmFile, song_);
    EXPECT_EQ(BgmFolder, (music_ / "snd").string());
}

TEST_F(SettingsTest, StoredNumbersAreReadAsTheyCan)
{
    for (auto [text, kind] : {std::pair<const char*, int16_t>{"abc", 0},
                              {"1.9", 1},
                              {"-0.5", -1},
                              {"7", 7},
                              {"70000", 0}}) {
        BgmKind = BgmRepeatTrack = 0; // as at start: a value that fails keeps it
        Store(kKindKey, text);
        Store(kRepeatKey, text);
        LoadSettings(kProgramFolder);
        EXPECT_EQ(BgmKind, kind) << text;
        EXPECT_EQ(BgmRepeatTrack, kind) << text;
    }
}

TEST_F(SettingsTest, LongValuesAreCutTo255Characters)
{
    const std::string longPath = "C:\\" + std::string(297, 'x');
    Store(kKindKey, " 2");
    Store(kFileKey, longPath);
    EXPECT_EQ(GetIni(kSettingsSection, kFileKey, kIni), longPath.substr(0, 255));
    LoadSettings(kProgramFolder);
    EXPECT_EQ(BgmFile, "");
    EXPECT_EQ(BgmKind, 0);
}

TEST_F(SettingsTest, SaveWritesKindRepeatAndFileInOrder)
{
    BgmKind = 2;
    BgmRepeatTrack = 0;
    BgmFile = "C:\\Music\\rain.mp3";
    SaveSettings(kProgramFolder);
    const std::vector<FakeProfile::Write> expected = {
        {"Section", "BGM\x8B\xE6\x95\xAA", " 2", kIni},
        {"Section", "BGM\xD8\xCB\xDF\xB0\xC4", " 0", kIni},
        {"Section", "BGM\xCC\xA7\xB2\xD9", "C:\\Music\\rain.mp3", kIni},
    };
    EXPECT_EQ(g_fakeProfile.writes, expected);
    EXPECT_EQ(ApiResult, 1);

    BgmKind = -3;
    BgmRepeatTrack = 12;
    BgmFile.clear();
    g_fakeProfile.writes.clear();
    SaveSettings(kProgramFolder);
    EXPECT_EQ(g_fakeProfile.writes[0].value, "-3");
    EXPECT_EQ(g_fakeProfile.writes[1].value, " 12");
    EXPECT_EQ(g_fakeProfile.writes[2].value, "");
}

TEST_F(SettingsTest, FileSitsBesideTheProgram)
{
    EXPECT_EQ(SettingsPath("C:\\Saver"), "C:\\Saver\\Raivel.ini");
    // A drive's root already ends in a backslash: the doubled one stays.
    EXPECT_EQ(SettingsPath("C:\\"), "C:\\\\Raivel.ini");
}
