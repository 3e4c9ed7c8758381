#include <gtest/gtest.h>

#include "command_properties.h"

namespace {

using Entries = std::vector<PropertyStore::Entry>;

// The container's font, and another one.
const CommandFont kAmbient = {"Tahoma", 8.25, 400, false, false, false, 0};
const CommandFont kJapanese = {"ＭＳ Ｐゴシック", 9.75, 400, false, false, false, 128};
const char kJapaneseText[] = "9.75,400,0,0,0,128,ＭＳ Ｐゴシック";

// A container that notes the names read, in their order.
class ReadLog : public PropertyStore {
public:
    std::string Read(const std::string& name, const std::string& defaultValue) const override
    {
        names.push_back(name);
        return PropertyStore::Read(name, defaultValue);
    }
    mutable std::vector<std::string> names;
};

void ExpectFace(const CommandEffect& effect, CommandFace face)
{
    EXPECT_EQ(effect.face, face);
    EXPECT_FALSE(effect.click);
}

} // namespace

TEST(CommandProperties, EmptyStoreGivesTheDefaultsAndTheNormalFace)
{
    CommandData command; // as created: disabled, FirstRun 0
    command.fontColour = 0x123456;
    ExpectFace(ReadCommandProperties(command, PropertyStore(), kAmbient), CommandFace::Normal);
    EXPECT_EQ(command.state.Enabled, kTrue);
    EXPECT_EQ(command.caption, "Command1");
    EXPECT_EQ(command.state.FirstRun, 1);
    EXPECT_EQ(command.font, kAmbient);
    EXPECT_EQ(command.fontColour, 0u);
    EXPECT_TRUE(command.opaque);
}

TEST(CommandProperties, StoredValuesAreReadWhateverTheCaseOfTheirNames)
{
    PropertyStore store;
    store.Write("enabled", "False", "");
    store.Write("CAPTION", "\xE8\xA8\xAD\xE5\xAE\x9A", "");
    store.Write("firstrun", "0", "");
    store.Write("FONT", "12,700,1,1,1,2,Arial, Narrow", "");
    store.Write("fontcolour", "255", "");
    store.Write("visible", "0", "");
    CommandData command;
    // Disabled: the restyle that ends the read draws nothing.
    ExpectFace(ReadCommandProperties(command, store, kAmbient), CommandFace::None);
    EXPECT_EQ(command.state.Enabled, kFalse);
    EXPECT_EQ(command.caption, "\xE8\xA8\xAD\xE5\xAE\x9A");
    EXPECT_EQ(command.state.FirstRun, 0);
    EXPECT_EQ(command.font, (CommandFont{"Arial, Narrow", 12, 700, true, true, true, 2}));
    EXPECT_EQ(command.fontColour, 255u);
    EXPECT_FALSE(command.opaque);
}

TEST(CommandProperties, ValuesThatDoNotConvertLeaveTheirFieldsAsTheyWere)
{
    PropertyStore store;
    store.Write("Enabled", "maybe", "");
    store.Write("FirstRun", "256", "");
    store.Write("FontColour", "4294967296", "");
    store.Write("Visible", "2", "");
    CommandData command;
    command.fontColour = 7;
    command.opaque = false;
    ReadCommandProperties(command, store, kAmbient);
    EXPECT_EQ(command.state.Enabled, kFalse);
    EXPECT_EQ(command.state.FirstRun, 0);
    EXPECT_EQ(command.fontColour, 7u);
    EXPECT_FALSE(command.opaque);

    // Numbers are rounded, halves to the even neighbour; any number is a boolean.
    PropertyStore numbers;
    numbers.Write("Enabled", "-1", "");
    numbers.Write("FirstRun", " 2.5 ", "");
    numbers.Write("FontColour", "4294967295", "");
    numbers.Write("Visible", "0.4", "");
    ReadCommandProperties(command, numbers, kAmbient);
    EXPECT_EQ(command.state.Enabled, kTrue);
    EXPECT_EQ(command.state.FirstRun, 2);
    EXPECT_EQ(command.fontColour, 0xFFFFFFFFu);
    EXPECT_FALSE(command.opaque);

    // A font needs six numbers in range and a name.
    for (const char* font :
         {"9.75,400,0,0,0,128,", "0,400,0,0,0,0,Arial", "9.75,1001,0,0,0,0,Arial",
          "9.75,400,2,0,0,0,Arial", "9.75,400,0,0,0,256,Arial", "9.75,400,0,0,0,Arial", "Arial"}) {
        PropertyStore fonts;
        fonts.Write("Font", font, "");
        command.font = kJapanese;
        ReadCommandProperties(command, fonts, kAmbient);
        EXPECT_EQ(command.font, kJapanese) << font;
    }
}

TEST(CommandProperties, WrittenAndReadInTheirOrdersOnlyWhereTheyDifferFromTheDefault)
{
    // The container's font is the default: not stored.
    CommandData command;
    ReadCommandProperties(command, PropertyStore(), kAmbient);
    ReadLog store;
    ExpectFace(WriteCommandProperties(command, store, kAmbient), CommandFace::Normal);
    EXPECT_TRUE(store.Entries().empty());

    command.state.Enabled = kFalse;
    command.caption = "OK";
    command.state.FirstRun = 0;
    command.font = kJapanese;
    command.fontColour = 0xFF;
    command.opaque = false;
    ExpectFace(WriteCommandProperties(command, store, kAmbient), CommandFace::None);
    EXPECT_EQ(store.Entries(), (Entries{{"enabled", "False"},
                                        {"caption", "OK"},
                                        {"firstrun", "0"},
                                        {"font", kJapaneseText},
                                        {"fontcolour", "255"},
                                        {"visible", "0"}}));

    // Read back in their own order, the font before FirstRun.
    CommandData copy;
    ReadCommandProperties(copy, store, kAmbient);
    EXPECT_EQ(store.names, (std::vector<std::string>{"Enabled", "Caption", "Font", "FirstRun",
                                                     "FontColour", "Visible"}));
    EXPECT_EQ(copy.state.Enabled, kFalse);
    EXPECT_EQ(copy.caption, "OK");
    EXPECT_EQ(copy.state.FirstRun, 0);
    EXPECT_EQ(copy.font, kJapanese);
    EXPECT_EQ(copy.fontColour, 0xFFu);
    EXPECT_FALSE(copy.opaque);

    // Back to the container's font, the stored one goes.
    command.font = kAmbient;
    WriteCommandProperties(command, store, kAmbient);
    EXPECT_EQ(store.Read("font", ""), "");
}

TEST(CommandProperties, RestyleTurnsTheCaptionBlackUntilTheFirstRun)
{
    CommandData command;
    command.fontColour = 0xFF;
    ExpectFace(CommandRestyle(command), CommandFace::None); // disabled: nothing
    EXPECT_EQ(command.fontColour, 0xFFu);

    command.state.Enabled = kTrue;
    ExpectFace(CommandSetFontColour(command, 0xFF), CommandFace::Normal);
    EXPECT_EQ(command.fontColour, 0u);
    command.state.FirstRun = 1;
    ExpectFace(CommandSetFontColour(command, 0xFF), CommandFace::Normal);
    uint32_t colour = 0;
    ExpectFace(CommandReadFontColour(command, colour), CommandFace::Normal);
    EXPECT_EQ(colour, 0xFFu);

    // The colour read is the one before the restyle.
    command.state.FirstRun = 0;
    CommandReadFontColour(command, colour);
    EXPECT_EQ(colour, 0xFFu);
    EXPECT_EQ(command.fontColour, 0u);
}

TEST(CommandProperties, FirstReadOfEnabledEnablesANewButton)
{
    CommandData command;
    command.fontColour = 0xFF;
    ExpectFace(CommandReadEnabled(command), CommandFace::Normal);
    EXPECT_EQ(command.state.Enabled, kTrue);
    EXPECT_EQ(command.state.FirstRun, 1);
    EXPECT_EQ(command.fontColour, 0xFFu); // the restyle came while still disabled

    // Once past its first run, a disabled button stays so when read.
    ExpectFace(CommandSetEnabled(command, false), CommandFace::Disable);
    ExpectFace(CommandReadEnabled(command), CommandFace::Disable);
    EXPECT_EQ(command.state.Enabled, kFalse);

    // An enabled button with FirstRun 0 is restyled by the read.
    command.state.Enabled = kTrue;
    command.state.FirstRun = 0;
    CommandReadEnabled(command);
    EXPECT_EQ(command.fontColour, 0u);
}

TEST(CommandProperties, EnabledAndVisibleKeepTheState)
{
    CommandData command;
    ReadCommandProperties(command, PropertyStore(), kAmbient);
    InitializeCommand(command.state);
    CommandMouseMove(command.state);
    ASSERT_EQ(command.state.State, kStateHighLight);
    ExpectFace(CommandSetEnabled(command, false), CommandFace::Disable);
    ExpectFace(CommandSetEnabled(command, true), CommandFace::Normal);
    EXPECT_EQ(command.state.State, kStateHighLight);

    uint8_t visible = 0;
    ExpectFace(CommandReadVisible(command, visible), CommandFace::Normal);
    EXPECT_EQ(visible, 255);
    ExpectFace(CommandSetVisible(command, 0), CommandFace::None);
    EXPECT_FALSE(command.opaque);
    ExpectFace(CommandReadVisible(command, visible), CommandFace::None);
    EXPECT_EQ(visible, 0);
    ExpectFace(CommandSetVisible(command, 7), CommandFace::Normal);
    EXPECT_TRUE(command.opaque);
    EXPECT_EQ(command.state.State, kStateHighLight);
}

TEST(CommandProperties, DisablingAFocusedButtonTakesItsFocus)
{
    for (uint8_t focused : {kStateSelected, kStateHighLightSelect}) {
        CommandData command;
        ReadCommandProperties(command, PropertyStore(), kAmbient);
        command.state.State = focused;
        ExpectFace(CommandSetEnabled(command, false), CommandFace::Disable);
        EXPECT_EQ(command.state.State, kStateNormal);
        // The focus-lost notification that follows finds it disabled.
        ExpectFace(CommandFocusLost(command.state), CommandFace::None);

        // Enabled again: the pointer over it, a press that brings the focus,
        // and the release clicks.
        CommandSetEnabled(command, true);
        ExpectFace(CommandMouseMove(command.state), CommandFace::HighLight);
        CommandMouseDown(command.state, MouseButton::Left);
        ExpectFace(CommandFocusGained(command.state), CommandFace::Pressed);
        EXPECT_TRUE(CommandMouseUp(command.state, MouseButton::Left).click);
    }
}
