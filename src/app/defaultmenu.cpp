#include "defaultmenu.h"

#include "platform/menu.h"

#include <utility>

DefaultMenu::Toggles DefaultMenu::populate(Menu &menu, MenuTarget *controller,
                                           MenuTarget *application)
{
    const auto add = [&menu](const QString &title, const QString &action, MenuTarget *target) {
        auto item = MenuItem::create(title, action);
        item->setTarget(target);
        menu.addItem(item);
        return item;
    };
    const std::pair<const char *, int> intervals[]
        = {{QT_TR_NOOP("Refresh Every 5 Minutes"), 300},
           {QT_TR_NOOP("Refresh Every 10 Minutes"), 600},
           {QT_TR_NOOP("Refresh Every 20 Minutes"), 1200},
           {QT_TR_NOOP("Refresh Every 30 Minutes"), 1800},
           {QT_TR_NOOP("Refresh Every Hour"), 3600}};
    for (const auto &[title, seconds] : intervals)
        add(tr(title), QStringLiteral("changeUpdateTime:"), controller)->setTag(seconds);
    Toggles toggles;
    toggles.sources = std::make_shared<Menu>();
    const std::pair<const char *, const char *> sources[]
        = {{QT_TR_NOOP("FAA Flight Restrictions"), "faa"},
           {QT_TR_NOOP("Cameron County Road Closures"), "county"},
           {QT_TR_NOOP("City of Starbase Beach and Road Access"), "starbase"},
           {QT_TR_NOOP("Coast Guard Bulletins"), "bulletin"},
           {QT_TR_NOOP("NGA Navigational Warnings"), "navwarn"}};
    for (const auto &[title, key] : sources) {
        auto item = MenuItem::create(tr(title), QStringLiteral("toggleSourceAction:"));
        item->setTarget(controller);
        item->setRepresentedObject(QString::fromLatin1(key));
        toggles.sources->addItem(item);
    }
    auto sourcesEntry = MenuItem::create(tr("Sources"));
    sourcesEntry->setSubmenu(toggles.sources);
    menu.addItem(sourcesEntry);
    toggles.notifyOnChanges
        = add(tr("Notify on Changes"), QStringLiteral("toggleNotificationsAction:"), controller);
    toggles.mirror = add(tr("Use Data Mirror"), QStringLiteral("toggleMirrorAction:"), controller);
    toggles.startAtLogin
        = add(tr("Start at Login"), QStringLiteral("toggleStartAtLogin:"), application);
    add(tr("Open Calendar"), QStringLiteral("openCalendar:"), application);
    menu.addItem(MenuItem::separator());
    add(tr("Check for Updates…"), QStringLiteral("checkForUpdates:"), application);
    add(tr("About Plumetrack"), QStringLiteral("showAbout:"), application);
    menu.addItem(MenuItem::separator());
    add(tr("Quit Plumetrack"), QStringLiteral("terminate:"), application);
    return toggles;
}
