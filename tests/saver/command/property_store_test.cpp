#include <gtest/gtest.h>

#include "property_store.h"

using Entries = std::vector<PropertyStore::Entry>;

TEST(PropertyStore, MissingNamesReadAsTheCallersDefault)
{
    const PropertyStore store;
    EXPECT_EQ(store.Read("Caption", "Command1"), "Command1");
    EXPECT_EQ(store.Read("Caption", ""), "");
}

TEST(PropertyStore, NamesMatchWhateverTheirCase)
{
    PropertyStore store;
    store.Write("FontColour", "255", "0");
    EXPECT_EQ(store.Read("fontcolour", "0"), "255");
    EXPECT_EQ(store.Read("FONTCOLOUR", "0"), "255");
    store.Write("FONTColour", "128", "0");
    EXPECT_EQ(store.Entries(), (Entries{{"fontcolour", "128"}}));
}

TEST(PropertyStore, OnlyValuesThatDifferFromTheirDefaultAreKept)
{
    PropertyStore store;
    store.Write("Visible", "1", "1");
    EXPECT_TRUE(store.Entries().empty());
    store.Write("Visible", "0", "1");
    store.Write("Caption", "OK", "Command1");
    EXPECT_EQ(store.Entries(), (Entries{{"visible", "0"}, {"caption", "OK"}}));
    // Written back to its default, a value is forgotten.
    store.Write("visible", "1", "1");
    EXPECT_EQ(store.Entries(), (Entries{{"caption", "OK"}}));
    EXPECT_EQ(store.Read("Visible", "1"), "1");
}

TEST(PropertyStore, NamesAndValuesAreKeptAsBytes)
{
    PropertyStore store;
    store.Write("Caption", "\xE8\xA8\xAD\xE5\xAE\x9A", "Command1"); // 設定
    store.Write("\xC3\x89t\xC3\xA9", "x", "");
    EXPECT_EQ(store.Read("CAPTION", ""), "\xE8\xA8\xAD\xE5\xAE\x9A");
    EXPECT_EQ(store.Read("\xC3\x89T\xC3\xA9", ""), "x");
}
