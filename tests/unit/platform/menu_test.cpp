#include "platform/menu.h"
#include "platform/menudelegate.h"
#include "platform/menutarget.h"
#include "platform/rowview.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Recorder : MenuDelegate, MenuTarget
{
    QStringList events;
    void menuNeedsUpdate(Menu &) override { events << "open"; }
    void menuDidClose(Menu &) override { events << "close"; }
    void performAction(const QString &selector, MenuItem &sender) override
    {
        events << selector + " from " + sender.title();
    }
};

TEST(Menu, AnEntryStandsInOneMenuAtMostAndPositionsShift)
{
    Menu menu, other;
    auto a = MenuItem::create("a"), b = MenuItem::create("b"), c = MenuItem::create("c");
    menu.addItem(a);
    menu.addItem(c);
    menu.insertItem(b, 1);
    EXPECT_EQ(menu.itemAt(1), b);
    EXPECT_THROW(other.addItem(b), std::logic_error);
    EXPECT_THROW(menu.insertItem(MenuItem::create("x"), 5), std::logic_error);
    menu.removeItemAtIndex(0);
    EXPECT_EQ(menu.itemAt(0), b);
    EXPECT_EQ(a->menu(), nullptr);
    other.addItem(a); // free again once removed
    EXPECT_EQ(a->menu(), &other);
}

TEST(Menu, AnOpeningWithoutACloseBeforeItCountsAsACloseFirst)
{
    Menu menu;
    Recorder recorder;
    menu.setDelegate(&recorder);
    menu.willOpen();
    menu.willOpen();
    menu.didClose();
    menu.didClose(); // a close that was already counted
    EXPECT_EQ(recorder.events, (QStringList {"open", "close", "open", "close"}));
}

TEST(MenuItem, IsEnabledExactlyWhenItHasAnActionAndSendsItToItsTarget)
{
    Recorder target;
    auto none = MenuItem::create("    None");
    auto entry = MenuItem::create("✈️ Flight Restrictions", "openFAAAction:");
    EXPECT_FALSE(none->isEnabled());
    EXPECT_FALSE(none->perform());
    EXPECT_FALSE(MenuItem::separator()->isEnabled());
    EXPECT_FALSE(entry->perform()) << "no target yet";
    entry->setTarget(&target);
    EXPECT_TRUE(entry->perform());
    EXPECT_EQ(target.events, QStringList {"openFAAAction: from ✈️ Flight Restrictions"});
}

TEST(MenuItem, APlainTitleChangeDropsTheAttributedTitleButKeepsTheView)
{
    auto item = MenuItem::create("a");
    item->setAttributedTitle("a", TextAttributes {});
    item->setView(RowView::makeTwoTextColumnStackForMenus("left", ""));
    item->setTitle("b");
    EXPECT_FALSE(item->attributes().has_value());
    ASSERT_TRUE(item->view());
    EXPECT_EQ(item->view()->leftText(), "left");
}

TEST(RowView, HasItsFixedSizesWhateverItsTexts)
{
    const auto row = RowView::makeTwoTextColumnStackForMenus("Primary: Monday", "");
    EXPECT_EQ(row->width(), 450);
    EXPECT_EQ(row->height(), 22);
    EXPECT_EQ(row->leftWidth(), 225);
    EXPECT_GE(row->leftInset(), 30);
    EXPECT_EQ(row->rightText(), "");
}

} // namespace
