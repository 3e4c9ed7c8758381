#include <gtest/gtest.h>

#include "command_line.h"

TEST(CommandLine, ArgumentTextFollowsTheProgramPath)
{
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Raivel.scr\" /p 1234"), "/p 1234");
    EXPECT_EQ(ArgumentText("C:\\WINDOWS\\Raivel.scr   /s"), "/s");
    EXPECT_EQ(ArgumentText("Raivel.scr"), "");
    EXPECT_EQ(ArgumentText("\"C:\\Raivel.scr\""), "");
}

TEST(CommandLine, PreviewHandleIsReadFromTheFourthCharacter)
{
    EXPECT_EQ(PreviewHostHandle("/p 1234"), 1234);
    EXPECT_EQ(PreviewHostHandle("/P1234"), 234);
    EXPECT_EQ(PreviewHostHandle("/p 12 3\t4\n"), 1234);
    EXPECT_EQ(PreviewHostHandle("/p 12\r3"), 12); // a carriage return is no blank
    EXPECT_EQ(PreviewHostHandle("/p 1234abc"), 1234);
    EXPECT_EQ(PreviewHostHandle("/p 12-3"), 12);
    EXPECT_EQ(PreviewHostHandle("/p -5"), -5);
    EXPECT_EQ(PreviewHostHandle("/p 1e3"), 1000);
    EXPECT_EQ(PreviewHostHandle("/p 7e"), 7);
    EXPECT_EQ(PreviewHostHandle("/p 2.5"), 2); // to the even neighbour
    EXPECT_EQ(PreviewHostHandle("/p 3.5"), 4);
    for (const char* none : {"/p", "/p ", "/p abc", "/p .", "/p -", "/p 99999999999"})
        EXPECT_EQ(PreviewHostHandle(none), 0) << none;
}

TEST(CommandLine, ModeTable)
{
    for (const char* run : {"/s", "/S", "-s", "/s:1234"})
        EXPECT_EQ(StartModeOf(run), StartMode::Run) << run;
    EXPECT_EQ(StartModeOf(""), StartMode::RunShowingCursor);
    for (const char* settings : {"/c", "/C", "/c:5678"})
        EXPECT_EQ(StartModeOf(settings), StartMode::Settings) << settings;
    for (const char* preview : {"/p 1234", "/P 1234", "/P1234"})
        EXPECT_EQ(StartModeOf(preview), StartMode::Preview) << preview;
    EXPECT_EQ(PreviewHostHandle("/P1234"), 234);
    for (const char* other : {"/x", "/", "s", "//s"})
        EXPECT_EQ(StartModeOf(other), StartMode::Unknown) << other;
}
