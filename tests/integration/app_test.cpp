#include "menu/menuextensions.h"
#include "platform/menu.h"
#include "platform/menudelegate.h"
#include "platform/menutarget.h"
#include "platform/qt/qtdialogs.h"
#include "platform/qt/qtmenurenderer.h"
#include "platform/qt/qtnotifier.h"
#include "platform/qt/qttray.h"
#include "platform/rowview.h"
#include "platform/statusitem.h"

#include "sessionbus.h"

#include "testing.h"
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidgetAction>

namespace {

TEST(Alert, TextsAreShownAsWrittenEvenWithATag)
{
    QtDialogs dialogs;
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        for (const QLabel *label : box->findChildren<QLabel *>()) {
            if (label->textFormat() == Qt::PlainText)
                shown << label->text();
        }
        box->done(0);
    });
    dialogs.runModal({"The <b>file</b>", "status <503>", {"OK"}});
    shown.sort();
    EXPECT_EQ(shown, (QStringList {"The <b>file</b>", "status <503>"}));
}

struct Recorder : MenuDelegate, MenuTarget
{
    QStringList events;
    void menuNeedsUpdate(Menu &menu) override
    {
        events << "open";
        menu.itemAt(4)->setState(MenuItem::On);
    }
    void menuDidClose(Menu &) override { events << "close"; }
    void performAction(Action action, MenuItem &) override
    {
        events << QString("action %1").arg(int(action));
    }
};

TEST(TrayMenu, TheQMenuShowsTheModel)
{
    Menu model;
    Recorder recorder;
    model.setDelegate(&recorder);
    auto title = MenuItem::create("🚗 Road Closures", Action::openPage);
    title->setTarget(&recorder);
    setColor(*title, Color::SecondaryLabel);
    auto row = MenuItem::create("Primary: Monday" + QString(25, ' ') + " 8 am", Action::openPage);
    row->setTarget(&recorder);
    row->setView(RowView::makeTwoTextColumnStackForMenus("Primary: Monday", "8 am"));
    model.addItem(title);
    model.addItem(row);
    model.addItem(MenuItem::create("    None"));
    model.addItem(MenuItem::separator());
    auto interval = MenuItem::create("Refresh Every 5 Minutes", Action::changeUpdateTime);
    interval->setTarget(&recorder);
    model.addItem(interval);

    QtMenuRenderer renderer(model);
    const QList<QAction *> actions = renderer.menu()->actions();
    ASSERT_EQ(actions.size(), 5);
    auto *titleAction = qobject_cast<QWidgetAction *>(actions[0]);
    ASSERT_TRUE(titleAction) << "a coloured title";
    EXPECT_EQ(titleAction->text(), "🚗 Road Closures");
    EXPECT_EQ(titleAction->defaultWidget()->findChild<QLabel *>()->text(),
              "<span style=\"font-family: 'Noto Color Emoji'\">🚗</span> Road Closures")
        << "emoji in the colour emoji font";
    auto *rowAction = qobject_cast<QWidgetAction *>(actions[1]);
    ASSERT_TRUE(rowAction);
    EXPECT_EQ(rowAction->text(), row->title()) << "the plain title stays the action's text";
    const QList<QLabel *> labels = rowAction->defaultWidget()->findChildren<QLabel *>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0]->text() + "|" + labels[1]->text(), "Primary: Monday|8 am");
    EXPECT_EQ(rowAction->defaultWidget()->size(), QSize(450, 22)) << "never narrower than this";
    EXPECT_TRUE(!actions[2]->isEnabled() && actions[3]->isSeparator() && !actions[4]->isChecked());

    // Opening reaches the delegate, whose check mark shows at once; closing reaches it too.
    emit renderer.menu()->aboutToShow();
    EXPECT_TRUE(renderer.menu()->actions()[4]->isChecked());
    emit renderer.menu()->aboutToHide();
    EXPECT_EQ(recorder.events, (QStringList {"open", "close"}));

    // Choosing an entry sends its action to its target.
    renderer.menu()->actions()[4]->trigger();
    EXPECT_TRUE(waitFor([&] { return recorder.events.size() == 3; }, 2000));
    EXPECT_EQ(recorder.events.last(), "action 2");

    // A change of the model shows after the event loop turns, in place: the actions of places
    // whose kind is unchanged stay (their D-Bus ids with them).
    const QList<QAction *> before = renderer.menu()->actions();
    model.removeItemAtIndex(2);
    auto wide = MenuItem::create("x", Action::openPage);
    wide->setView(RowView::makeTwoTextColumnStackForMenus(
        "Alternative: Wednesday, December 9, 2026", "8:00 a.m. - 5:00 p.m. (SH 4 &amp; beach)"));
    model.insertItem(wide, 2);
    model.insertItem(MenuItem::create("SH 4 & beach"), 4);
    waitFor([] { return false; }, 50);
    const QList<QAction *> after = renderer.menu()->actions();
    ASSERT_EQ(after.size(), 6);
    EXPECT_EQ(after.mid(0, 2), before.mid(0, 2));
    EXPECT_EQ(after[3], before[3]) << "the separator stayed in its place";
    EXPECT_EQ(after[4]->iconText(), "SH 4 & beach") << "an ampersand is no mnemonic";
    // Every column is as wide as its widest text: no day and no hours are cut.
    const QList<QLabel *> wideLabels
        = qobject_cast<QWidgetAction *>(after[2])->defaultWidget()->findChildren<QLabel *>();
    EXPECT_EQ(wideLabels[0]->text(), "Alternative: Wednesday, December 9, 2026");
    EXPECT_EQ(wideLabels[1]->text(), "8:00 a.m. - 5:00 p.m. (SH 4 &amp; beach)");
    EXPECT_GE(
        wideLabels[0]->width(),
        wideLabels[0]->fontMetrics().horizontalAdvance("Alternative: Wednesday, December 9, 2026"));
}

// The tray's icon is the title drawn at every size, and follows it; its tooltip follows the item's.
TEST(TrayIcon, FollowsTheStatusItem)
{
    const QIcon icon = QtTray::iconForTitle("🚀✓");
    EXPECT_GE(icon.availableSizes().size(), 6);
    const QImage image = icon.pixmap(32, 32).toImage();
    QImage blank(image.size(), image.format());
    blank.fill(Qt::transparent);
    EXPECT_NE(image, blank) << "the title is drawn";

    StatusItem item;
    item.setTitle("🚀");
    QtTray tray(item, 0);
    ASSERT_TRUE(waitFor([&] { return tray.trayIcon() != nullptr; }, 2000));
    item.setTitle("🚀👎");
    item.setToolTip("🚀👎\n🚗 Next closure: now, until 5 PM");
    EXPECT_EQ(tray.trayIcon()->toolTip(), "🚀👎\n🚗 Next closure: now, until 5 PM");
    EXPECT_EQ(tray.trayIcon()->icon().pixmap(32, 32).toImage(),
              QtTray::iconForTitle("🚀👎").pixmap(32, 32).toImage());
}

// The notifier over a private session bus, with a notification service of the test's own that
// reads markup in bodies. Calls never wait for the service; a section's next notification takes
// the place of its last one.
TEST(Notifications, OverTheSessionBus)
{
    SessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "no dbus-daemon";
    QtNotifier notifier(bus.connection("program"));
    notifier.notify("roads", "x", "y"); // no service answers yet: said once, never raised
    waitFor([] { return false; }, 300);

    std::mutex mutex;
    std::vector<QVariantList> calls;
    std::atomic<unsigned> callsMade = 0;
    QThread thread;
    thread.start();
    TestBusObject service(QString(), // the program calls without introspection
                          [&](const QDBusMessage &call) -> QVariantList {
                              if (call.member() == "GetCapabilities")
                                  return {QStringList {"body", "body-markup", "actions"}};
                              std::lock_guard lock(mutex);
                              calls.push_back(call.arguments());
                              return {uint(41 + ++callsMade)};
                          });
    service.moveToThread(&thread);
    QDBusConnection serviceConnection = bus.connection("service");
    ASSERT_TRUE(
        serviceConnection.registerVirtualObject("/org/freedesktop/Notifications", &service));
    ASSERT_TRUE(serviceConnection.registerService("org.freedesktop.Notifications"));

    QStringList activated;
    notifier.setActivation([&activated](const QString &section) { activated << section; });
    notifier.notify("roads", "Road closures changed", "+ a (SH 4 & beach)\n\u2212 b");
    ASSERT_TRUE(waitFor([&] { return callsMade == 1; }, 5000));
    notifier.notify("flights", "Flight restrictions changed", "+ c");
    ASSERT_TRUE(waitFor([&] { return callsMade == 2; }, 5000));
    waitFor([] { return false; }, 300); // the replies come in
    notifier.notify("roads", "Road closures changed", "+ d");
    ASSERT_TRUE(waitFor([&] { return callsMade == 3; }, 5000));
    EXPECT_EQ(calls[0].mid(0, 5),
              (QVariantList {"Plumetrack", 0u, "plumetrack", "Road closures changed",
                             "+ a (SH 4 &amp; beach)\n\u2212 b"}));
    EXPECT_TRUE(calls[0][5].toStringList().contains("default"));
    EXPECT_EQ(calls[1][1].toUInt(), 0u) << "another section replaces nothing";
    EXPECT_EQ(calls[2][1].toUInt(), 42u) << "the section's last notification is replaced";

    // Choosing a notification tells its section.
    for (const auto &[id, action] : {std::pair {43u, "other"}, std::pair {42u, "default"}})
        serviceConnection.send(QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                          "org.freedesktop.Notifications",
                                                          "ActionInvoked")
                               << id << QString(action));
    EXPECT_TRUE(waitFor([&] { return !activated.isEmpty(); }, 5000));
    EXPECT_EQ(activated, QStringList {"roads"});
    thread.quit();
    thread.wait();
}

} // namespace
