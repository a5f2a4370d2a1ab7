#include "platform/menu.h"
#include "platform/menudelegate.h"
#include "platform/menutarget.h"

#include "testing.h"

#include <stdexcept>

namespace {

struct Recorder : MenuDelegate, MenuTarget
{
    QStringList events;
    void menuNeedsUpdate(Menu &) override { events << "open"; }
    void menuDidClose(Menu &) override { events << "close"; }
    void performAction(Action action, MenuItem &sender) override
    {
        events << QString("action %1 from %2").arg(int(action)).arg(sender.title());
    }
};

// An entry stands in one menu at most and positions shift; an opening without a close before it
// counts as a close first; an entry is enabled exactly when it has an action, and sends it to its
// target.
TEST(Menu, EntriesOpeningsAndActions)
{
    Menu menu, other;
    Recorder recorder;
    menu.setDelegate(&recorder);
    auto a = MenuItem::create("a"), b = MenuItem::create("b"), c = MenuItem::create("c");
    menu.addItem(a);
    menu.addItem(c);
    menu.insertItem(b, 1);
    EXPECT_EQ(menu.itemAt(1), b);
    EXPECT_THROW(other.addItem(b), std::logic_error);
    EXPECT_THROW(menu.insertItem(MenuItem::create("x"), 5), std::logic_error);
    menu.removeItemAtIndex(0);
    EXPECT_EQ(menu.itemAt(0), b);
    other.addItem(a); // free again once removed
    EXPECT_EQ(a->menu(), &other);

    menu.willOpen();
    menu.willOpen();
    menu.didClose();
    menu.didClose(); // a close that was already counted
    auto entry = MenuItem::create("✈️ Flight Restrictions", Action::openPage);
    EXPECT_FALSE(MenuItem::create("    None")->isEnabled() || MenuItem::separator()->isEnabled());
    EXPECT_FALSE(entry->perform()) << "no target yet";
    entry->setTarget(&recorder);
    EXPECT_TRUE(entry->isEnabled() && entry->perform());
    EXPECT_EQ(recorder.events,
              (QStringList {"open", "close", "open", "close",
                            "action 1 from ✈️ Flight Restrictions"}));
}

} // namespace
