#include "defaultmenu.h"

#include "notices/source.h"
#include "platform/menu.h"

#include <utility>

DefaultMenu::Toggles DefaultMenu::populate(Menu &menu, MenuTarget *controller,
                                           MenuTarget *application)
{
    const auto add = [&menu](const QString &title, Action action, MenuTarget *target) {
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
        add(tr(title), Action::changeUpdateTime, controller)->setTag(seconds);
    Toggles toggles;
    toggles.sources = std::make_shared<Menu>();
    const std::pair<const char *, Source> sources[]
        = {{QT_TR_NOOP("Scheduled Launches"), Source::launches},
           {QT_TR_NOOP("FAA Flight Restrictions"), Source::faa},
           {QT_TR_NOOP("Cameron County Road Closures"), Source::county},
           {QT_TR_NOOP("City of Starbase Beach and Road Access"), Source::starbase},
           {QT_TR_NOOP("Coast Guard Bulletins"), Source::bulletin},
           {QT_TR_NOOP("NGA Navigational Warnings"), Source::navwarn}};
    for (const auto &[title, source] : sources) {
        auto item = MenuItem::create(tr(title), Action::toggleSource);
        item->setTarget(controller);
        item->setRepresentedObject(source);
        toggles.sources->addItem(item);
    }
    auto sourcesEntry = MenuItem::create(tr("Sources"));
    sourcesEntry->setSubmenu(toggles.sources);
    menu.addItem(sourcesEntry);
    toggles.notifyOnChanges = add(tr("Notify on Changes"), Action::toggleNotifications, controller);
    toggles.mirror = add(tr("Use Data Mirror"), Action::toggleMirror, controller);
    toggles.startAtLogin = add(tr("Start at Login"), Action::toggleStartAtLogin, application);
    add(tr("Open Calendar"), Action::openCalendar, application);
    add(tr("Show Map…"), Action::showMap, application);
    menu.addItem(MenuItem::separator());
    add(tr("Check for Updates…"), Action::checkForUpdates, application);
    add(tr("About Plumetrack"), Action::showAbout, application);
    menu.addItem(MenuItem::separator());
    add(tr("Quit Plumetrack"), Action::quit, application);
    return toggles;
}
