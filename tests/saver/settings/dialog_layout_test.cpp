#include <gtest/gtest.h>

#include <vector>

#include "dialog_layout.h"
#include "user_language.h"

namespace {

TEST(UserLanguage, JapaneseOnlyForAJapaneseDisplayLanguage)
{
    EXPECT_EQ(LanguageOf(0x0411), Language::Japanese); // Japanese (Japan)
    EXPECT_EQ(LanguageOf(0x0011), Language::Japanese); // Japanese, no region
    EXPECT_EQ(LanguageOf(0x0409), Language::English);  // English (United States)
    EXPECT_EQ(LanguageOf(0x0407), Language::English);  // German (Germany)
    EXPECT_EQ(LanguageOf(0x0804), Language::English);  // Chinese (PRC)
    EXPECT_EQ(LanguageOf(0x0412), Language::English);  // Korean
}

bool Inside(const Place& inner, int width, int height)
{
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width &&
           inner.y + inner.height <= height;
}

bool Overlap(const Place& a, const Place& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// Every control inside its container, none over another.
void ExpectApart(const std::vector<Place>& places, int width, int height)
{
    for (size_t i = 0; i < places.size(); ++i) {
        EXPECT_TRUE(Inside(places[i], width, height)) << "control " << i;
        for (size_t j = i + 1; j < places.size(); ++j)
            EXPECT_FALSE(Overlap(places[i], places[j])) << "controls " << i << " and " << j;
    }
}

class DialogLayoutTest : public testing::TestWithParam<Language> {};

TEST_P(DialogLayoutTest, EveryControlHasAPlaceOfItsOwn)
{
    const DialogLayout& layout = DialogLayoutFor(GetParam());
    ExpectApart({layout.panel, layout.author.place, layout.link.place, layout.set.place,
                 layout.cancel.place},
                layout.clientWidth, layout.clientHeight);
    std::vector<Place> inPanel = {layout.headingFrame, layout.repeatBox, layout.repeatCaption.place,
                                  layout.fileButton.place, layout.fileName};
    for (size_t kind = 0; kind < layout.kinds.size(); ++kind) {
        inPanel.push_back(layout.indicators[kind]);
        inPanel.push_back(layout.kinds[kind].place);
    }
    // The panel's client area, inside its 2-pixel sunken edge.
    ExpectApart(inPanel, layout.panel.width - 4, layout.panel.height - 4);
    const Place& frame = layout.headingFrame;
    EXPECT_TRUE(Inside({layout.heading.place.x - frame.x, layout.heading.place.y - frame.y,
                        layout.heading.place.width, layout.heading.place.height},
                       frame.width, frame.height));
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogLayoutTest,
                         testing::Values(Language::English, Language::Japanese));

} // namespace
