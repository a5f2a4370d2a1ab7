#include "menu/menuextensions.h"
#include "platform/menuitem.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuExtensions, AddCheckLeavesExactlyOneMarkAndRemoveCheckTakesEveryOne)
{
    auto item = MenuItem::create("🚗 Road Closures");
    addCheck(*item);
    EXPECT_EQ(item->title(), "🚗 Road Closures ✓");
    addCheck(*item);
    EXPECT_EQ(item->title(), "🚗 Road Closures ✓");
    removeCheck(*item);
    EXPECT_EQ(item->title(), "🚗 Road Closures");
    removeCheck(*item);
    EXPECT_EQ(item->title(), "🚗 Road Closures");
}

TEST(MenuExtensions, AMarkInsideTheTitleMovesToItsEnd)
{
    auto item = MenuItem::create("Alpha ✓ Beta");
    addCheck(*item);
    EXPECT_EQ(item->title(), "Alpha Beta ✓");
    removeCheck(*item);
    EXPECT_EQ(item->title(), "Alpha Beta");
}

TEST(MenuExtensions, TheColourSurvivesMarkingAndUnmarking)
{
    auto item = MenuItem::create("✈️ Flight Restrictions", "openFAAAction:");
    setColor(*item, Color::SecondaryLabel);
    addCheck(*item);
    ASSERT_TRUE(item->attributes());
    EXPECT_EQ(*item->attributes(), (TextAttributes {Font::MenuBar, Color::SecondaryLabel}));
    removeCheck(*item);
    ASSERT_TRUE(item->attributes());
    EXPECT_EQ(item->title(), "✈️ Flight Restrictions");
}

TEST(MenuExtensions, AnEntryNeverColouredGetsNoAttributes)
{
    auto item = MenuItem::create("plain");
    item->setRepresentedObject(QString("not a colour"));
    addCheck(*item);
    EXPECT_FALSE(item->attributes());
    removeCheck(*item);
    EXPECT_FALSE(item->attributes());
}

} // namespace
