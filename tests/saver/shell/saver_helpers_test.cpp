#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
