// raivel's plain parts: its command line.

#include <gtest/gtest.h>

#include <vector>

#include "raivel_options.h"

namespace {

bool Parse(std::vector<const char*> args, RaivelOptions& options)
{
    args.insert(args.begin(), "raivel");
    options = RaivelOptions{};
    return ParseOptions(static_cast<int>(args.size()), args.data(), options);
}

} // namespace

TEST(RaivelOptions, HackOptionsWithOneDashOrTwo)
{
    RaivelOptions options;
    ASSERT_TRUE(Parse({}, options));
    EXPECT_EQ(options.target, TargetKind::OwnWindow);
    EXPECT_EQ(options.delayMicroseconds, 16666);
    EXPECT_FALSE(options.showFps);

    ASSERT_TRUE(Parse({"--root", "--delay", "0", "-fps"}, options));
    EXPECT_EQ(options.target, TargetKind::Root);
    EXPECT_EQ(options.delayMicroseconds, 0);
    EXPECT_TRUE(options.showFps);
    EXPECT_FALSE(options.printFps);

    ASSERT_TRUE(Parse({"-print-fps"}, options));
    EXPECT_TRUE(options.printFps);
    EXPECT_FALSE(options.showFps);

    ASSERT_TRUE(Parse({"--add-to-xscreensaver"}, options));
    EXPECT_TRUE(options.addToXscreensaver);

    ASSERT_TRUE(Parse({"-window-id", "0x1a00007", "-delay", "20000"}, options));
    EXPECT_EQ(options.target, TargetKind::WindowId);
    EXPECT_EQ(options.windowId, "0x1a00007");
    EXPECT_EQ(options.delayMicroseconds, 20000);

    for (std::vector<const char*> bad :
         std::vector<std::vector<const char*>>{{"-bogus"},
                                               {"root"},
                                               {"-delay"},
                                               {"-delay", "-5"},
                                               {"-delay", "1e3"},
                                               {"-delay", "99999999999999999999"},
                                               {"-window-id"},
                                               {"-add-to-xscreensaver", "-root"},
                                               {"-fps", "-add-to-xscreensaver"}})
        EXPECT_FALSE(Parse(bad, options)) << bad[0];
    // A list refused is not half applied.
    EXPECT_FALSE(Parse({"-root", "-delay", "5", "-bogus"}, options));
    EXPECT_EQ(options.target, TargetKind::OwnWindow);
    EXPECT_EQ(options.delayMicroseconds, kDefaultDelayMicroseconds);
}

TEST(RaivelOptions, WindowIdsInHexadecimalOrDecimal)
{
    unsigned long id = 0;
    EXPECT_TRUE(ParseWindowId("0x1a00007", id));
    EXPECT_EQ(id, 0x1a00007ul);
    EXPECT_TRUE(ParseWindowId("0X1A", id));
    EXPECT_EQ(id, 0x1aul);
    EXPECT_TRUE(ParseWindowId("27262983", id));
    EXPECT_EQ(id, 27262983ul);
    for (const char* bad : {"", "0", "0x", "0x0", "12ab", "0xfg", "-5", " 5", "+5"})
        EXPECT_FALSE(ParseWindowId(bad, id)) << '"' << bad << '"';
    EXPECT_FALSE(ParseWindowId(nullptr, id));
}
