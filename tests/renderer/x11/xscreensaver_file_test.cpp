// The edit of a user's xscreensaver settings file, on made-up files.

#include <gtest/gtest.h>

#include <string>

#include "xscreensaver_file.h"

namespace {

const std::string kEntryLine =
    "  GL:                         raivel --root                              \\n\\\n";

// A file as xscreensaver-settings writes it, the third entry of three chosen.
const std::string kWritten = "# XScreenSaver Preferences File\n"
                             "mode:\t\tone\n"
                             "selected:\t2\n"
                             "\n"
                             "programs:\t\t\t\t\t\t\t\t      \\\n"
                             "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                             "  GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
                             "-\t\t\t\tpyro --root\t\t\t\t    \\n\\\n"
                             "\n"
                             "\n"
                             "pointerHysteresis:  10\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

ListEdit Edit(const std::string& file)
{
    return AddRaivelToProgramList(&file);
}

} // namespace

TEST(XscreensaverFile, AMissingFileBecomesJustTheList)
{
    const ListEdit edit = AddRaivelToProgramList(nullptr);
    EXPECT_EQ(edit.change, ListChange::Added);
    EXPECT_EQ(edit.text, "programs:\t\\\n" + kEntryLine + "\n");
}

TEST(XscreensaverFile, RaivelGoesFirstEveryOtherLineStaysAndTheChosenSaverStaysChosen)
{
    const ListEdit edit = Edit(kWritten);
    EXPECT_EQ(edit.change, ListChange::Added);
    std::string expected = Replaced(kWritten, "selected:\t2\n", "selected:\t3\n");
    expected = Replaced(expected, "      \\\n", "      \\\n" + kEntryLine);
    EXPECT_EQ(edit.text, expected);

    // No choice (-1) stays none.
    const std::string none = Replaced(kWritten, "selected:\t2", "selected:\t-1");
    EXPECT_NE(Edit(none).text.find("selected:\t-1\n"), std::string::npos);
}

TEST(XscreensaverFile, AFirstEntryOnTheListsOwnLineMovesBelowOurs)
{
    const ListEdit edit =
        Edit("selected: 0\nprograms: GL: maze -root \\n\\\n  gears -root \\n\\\n");
    EXPECT_EQ(edit.change, ListChange::Added);
    EXPECT_EQ(edit.text, "selected: 1\nprograms:\t\\\n" + kEntryLine +
                             " GL: maze -root \\n\\\n  gears -root \\n\\\n");
}

TEST(XscreensaverFile, AFileWithoutAListGetsOneAtItsEnd)
{
    // The last setting goes on past the end of the file: it is ended first,
    // by as many blank lines as it takes.
    const ListEdit edit = Edit("# mine\nlock: False\nfade: \\");
    EXPECT_EQ(edit.change, ListChange::Added);
    EXPECT_EQ(edit.text, "# mine\nlock: False\nfade: \\\n\nprograms:\t\\\n" + kEntryLine + "\n");
    EXPECT_EQ(Edit("fade: a\\\\\n").text, "fade: a\\\\\n\n\nprograms:\t\\\n" + kEntryLine + "\n");
}

TEST(XscreensaverFile, SettingsAreReadAsXscreensaverReadsThem)
{
    // Names in any case, and ";" comments.
    EXPECT_EQ(Edit("; mine\nPrograms: maze\nSelected: 0\n").text,
              "; mine\nPrograms:\t\\\n" + kEntryLine + " maze\nSelected: 1\n");
    // A line of blanks and a backslash joins "programs:" to it.
    EXPECT_EQ(Edit(" \\\nprograms: maze\n").text, " \\\nprograms:\t\\\n" + kEntryLine + " maze\n");
    // A last "selected:" going on past the file's end stays readable.
    EXPECT_EQ(Edit(Edit("selected: -1\\").text).change, ListChange::AlreadyListed);
    EXPECT_EQ(Edit("programs: GL:raivel --root\n").change, ListChange::AlreadyListed);
}

TEST(XscreensaverFile, ASecondRunChangesNothing)
{
    const ListEdit first = Edit(kWritten);
    const ListEdit second = Edit(first.text);
    EXPECT_EQ(second.change, ListChange::AlreadyListed);
    EXPECT_TRUE(second.text.empty());
    EXPECT_EQ(Edit(AddRaivelToProgramList(nullptr).text).change, ListChange::AlreadyListed);

    // Raivel listed by its full path and not first: the user's own choice
    // stands. Switched off, it stays off, and the user is told.
    const std::string off =
        Replaced(kWritten, "-\t\t\t\tpyro", "- GL: \"Storm\" /usr/libexec/xscreensaver/raivel");
    EXPECT_EQ(Edit(off).change, ListChange::SwitchedOff);
    EXPECT_EQ(Edit(Replaced(off, "- GL:", "  GL:")).change, ListChange::AlreadyListed);
}

TEST(XscreensaverFile, AFileThatIsNotXscreensaverSettingsIsRefused)
{
    for (const std::string& file :
         {std::string("mode: one\nthis is not a setting\n"),
          std::string("programs: maze -root\nprograms: gears -root\n"),
          std::string("selected: two\nprograms: maze -root\n"), std::string("selected: 1\\\n 2\n"),
          std::string("mode: one\n\0\1\2", 13), std::string(kLongestSettingsFile + 1, '#'),
          // A choice from xscreensaver's own list, which a list of ours would end.
          std::string("selected: 3\n"),
          // What xscreensaver 6.06 misreads: a line it cuts, the last two bytes
          // of a file without a line end, a carriage return in the list.
          "#" + std::string(kLongestSettingsLine, '#'), std::string("fade: \\x"),
          std::string("programs: maze\\r\n"),
          // The colon on a line of its own, after an empty line that takes
          // a backslash of the name's line.
          std::string("programs\\\\\n\n: maze\n")}) {
        const ListEdit edit = Edit(file);
        EXPECT_EQ(edit.change, ListChange::Unreadable) << file.substr(0, 40);
        EXPECT_FALSE(edit.problem.empty());
        EXPECT_TRUE(edit.text.empty());
    }
    EXPECT_EQ(Edit("mode: one\nthis is not a setting\n").problem,
              "line 2 is neither a \"name: value\" setting nor a comment");
}
