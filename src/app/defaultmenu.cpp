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
    const std::pair<const char *, int> intervals[] = {{"Refresh Every 5 Minutes", 300},
                                                      {"Refresh Every 10 Minutes", 600},
                                                      {"Refresh Every 20 Minutes", 1200},
                                                      {"Refresh Every 30 Minutes", 1800},
                                                      {"Refresh Every Hour", 3600}};
    for (const auto &[title, seconds] : intervals)
        add(QString::fromUtf8(title), QStringLiteral("changeUpdateTime:"), controller)
            ->setTag(seconds);
    Toggles toggles;
    toggles.sources = std::make_shared<Menu>();
    const std::pair<const char *, const char *> sources[]
        = {{"FAA Flight Restrictions", "faa"},
           {"Cameron County Road Closures", "county"},
           {"City of Starbase Beach and Road Access", "starbase"},
           {"Coast Guard Bulletins", "bulletin"},
           {"NGA Navigational Warnings", "navwarn"}};
    for (const auto &[title, key] : sources) {
        auto item
            = MenuItem::create(QString::fromUtf8(title), QStringLiteral("toggleSourceAction:"));
        item->setTarget(controller);
        item->setRepresentedObject(QString::fromLatin1(key));
        toggles.sources->addItem(item);
    }
    auto sourcesEntry = MenuItem::create(QStringLiteral("Sources"));
    sourcesEntry->setSubmenu(toggles.sources);
    menu.addItem(sourcesEntry);
    toggles.notifyOnChanges = add(QStringLiteral("Notify on Changes"),
                                  QStringLiteral("toggleNotificationsAction:"), controller);
    toggles.mirror
        = add(QStringLiteral("Use Data Mirror"), QStringLiteral("toggleMirrorAction:"), controller);
    toggles.startAtLogin
        = add(QStringLiteral("Start at Login"), QStringLiteral("toggleStartAtLogin:"), application);
    add(QStringLiteral("Open Calendar"), QStringLiteral("openCalendar:"), application);
    menu.addItem(MenuItem::separator());
    add(QStringLiteral("Check for Updates…"), QStringLiteral("checkForUpdates:"), application);
    add(QStringLiteral("About Plumetrack"), QStringLiteral("showAbout:"), application);
    menu.addItem(MenuItem::separator());
    add(QStringLiteral("Quit Plumetrack"), QStringLiteral("terminate:"), application);
    return toggles;
}
