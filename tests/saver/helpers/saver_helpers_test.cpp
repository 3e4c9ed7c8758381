#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ansi_text.h"
#include "command_line.h"
#include "number_text.h"
#include "saver_helpers.h"
#include "scratch_folder.h"

TEST(SaverHelpers, FileExistsOnlyForReadableFiles)
{
    const auto folder = ScratchFolder("raivel-helpers-test");
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "a.wav").string();
    std::ofstream(file) << "RIFF";

    EXPECT_TRUE(FileExists(file));
    // The test leaves no handle open: the file can go at once.
    EXPECT_TRUE(std::filesystem::remove(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(FileExists(folder.string()));
    EXPECT_FALSE(FileExists(folder.string() + "\\"));
    EXPECT_FALSE(FileExists(""));
    std::filesystem::remove_all(folder);
}

TEST(SaverHelpers, FolderOfKeepsUpToTheLastSeparator)
{
    EXPECT_EQ(FolderOf("C:\\music\\a.mp3"), "C:\\music");
    EXPECT_EQ(FolderOf("C:\\a.mp3"), "C:");
    EXPECT_EQ(FolderOf("C:a.mp3"), "C:");
    EXPECT_EQ(FolderOf("a.mp3"), "");
    EXPECT_EQ(FolderOf("\\\\server\\share\\b.wav"), "\\\\server\\share");
}

TEST(SaverHelpers, ModeLetterIsTheSecondCharacterUpperCased)
{
    EXPECT_EQ(ModeLetter("/s"), 'S');
    EXPECT_EQ(ModeLetter("-S"), 'S');
    EXPECT_EQ(ModeLetter("/p 1234"), 'P');
    EXPECT_EQ(ModeLetter("/"), 0);
    EXPECT_EQ(ModeLetter(""), 0);
}

namespace {

// Characters in Shift-JIS (code page 932); the second byte of the first
// four is '\', of the last two a letter.
const std::string kHyouJi = "\x95\x5C\x8E\xA6";         // 表示
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67"; // ソフト
const std::string kJuu = "\x8F\x5C";                    // 十
const std::string kKyoku = "\x8B\xC8";                  // 曲
const std::string kHe = "\x83\x77";                     // ヘ
const std::string kPi = "\x83\x73";                     // ピ

// Paths and arguments in code page 932: chosen here away from Windows; on
// Windows the system's (under Wine LANG=ja_JP.UTF-8 gives it).
class ShiftJis : public testing::Test {
protected:
    void SetUp() override
    {
#ifdef _WIN32
        if (GetACP() != 932)
            GTEST_SKIP() << "the system's code page is " << GetACP();
#else
        UseAnsiCodePage(932);
#endif
    }
#ifndef _WIN32
    void TearDown() override
    {
        UseAnsiCodePage(1252);
    }
#endif
};

} // namespace

TEST_F(ShiftJis, PathsAreSplitAtWholeCharacters)
{
    EXPECT_EQ(FolderOf("C:\\Music\\" + kHyouJi + ".mp3"), "C:\\Music");
    EXPECT_EQ(FolderOf("C:\\" + kSofuto + "\\" + kHyouJi + ".wav"), "C:\\" + kSofuto);
    EXPECT_EQ(FolderOf("C:\\" + kSofuto), "C:");
    EXPECT_EQ(FolderOf("C:\\" + kJuu + "\\"), "C:\\" + kJuu);
    EXPECT_EQ(FolderOf(kJuu), "");
    EXPECT_EQ(FolderOf("C:\\music\\a.mp3"), "C:\\music");

    // A name ending in 十 keeps its last byte; a real trailing '\' goes.
    const auto folder = ScratchFolder("raivel-helpers-sjis");
    std::filesystem::create_directories(folder);
    const std::string file = folder.string() + "/" + kJuu;
    std::ofstream(file) << "RIFF";
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(file + "\\"));
    std::filesystem::remove_all(folder);
}

TEST_F(ShiftJis, EndingsAndLettersAreWholeCharacters)
{
    EXPECT_EQ(UpperEnding("C:\\" + kKyoku + "\\" + kHyouJi + ".wav"), "WAV");
    EXPECT_EQ(UpperEnding("C:\\" + kKyoku + "\\a.Mp3"), "MP3");
    // The 'w' of ヘ is no letter of the ending, and stays as it is.
    EXPECT_EQ(UpperEnding("C:\\" + kHe + "av"), kHe + "AV");
    EXPECT_EQ(UpperEnding(kHe), kHe);
    EXPECT_EQ(UpperCase("ab" + kHe + kPi), "AB" + kHe + kPi);

    // "ピ" is one character: the 's' in it is no mode letter.
    EXPECT_EQ(ModeLetter(kPi), 0);
    EXPECT_EQ(StartModeOf(kPi), StartMode::Unknown);
    EXPECT_EQ(ModeLetter(kPi + "s"), 'S');
    // The handle from the fourth character: "/曲12" gives 2.
    EXPECT_EQ(PreviewHostHandle("/" + kKyoku + "12"), 2);
}

TEST(NumberText, NonNegativeNumbersGetALeadingBlank)
{
    EXPECT_EQ(NumberText(2), " 2");
    EXPECT_EQ(NumberText(12), " 12");
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(-1), "-1");
}

TEST(NumberText, NumbersAreRoundedDownAndMustFitSixteenBits)
{
    EXPECT_EQ(ParseNumber16(" 2"), 2);
    EXPECT_EQ(ParseNumber16("7"), 7);
    EXPECT_EQ(ParseNumber16("  12  "), 12);
    EXPECT_EQ(ParseNumber16("1.9"), 1);
    EXPECT_EQ(ParseNumber16("-0.5"), -1);
    EXPECT_EQ(ParseNumber16("+3"), 3);
    EXPECT_EQ(ParseNumber16("32767"), 32767);
    EXPECT_EQ(ParseNumber16("-32768"), -32768);
    for (const char* bad :
         {"abc", "", " ", "32768", "-32769", "1e3", "0x10", "1.2.3", "-", ".", "inf", "nan", "3 4"})
        EXPECT_EQ(ParseNumber16(bad), std::nullopt) << bad;
}
