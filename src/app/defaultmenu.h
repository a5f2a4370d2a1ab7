#pragma once

#include "platform/menuitem.h"

#include <QCoreApplication>

#include <memory>

class Menu;
class MenuTarget;

// The menu's default entries, below what the program generates: the refresh intervals, the
// sources to read, the notification and mirror toggles, Start at Login, the calendar, the update
// check, About and Quit.
struct DefaultMenu
{
    Q_DECLARE_TR_FUNCTIONS(DefaultMenu)

public:
    // The toggles whose check marks are set when the menu opens.
    struct Toggles
    {
        MenuItem::Ptr notifyOnChanges;
        MenuItem::Ptr mirror;
        MenuItem::Ptr startAtLogin;
        // The "Sources" submenu's entries, each standing for its source.
        std::shared_ptr<Menu> sources;
    };

    // Fills `menu`; the refresh, notification and mirror entries go to `controller`, the rest to
    // `application`.
    static Toggles populate(Menu &menu, MenuTarget *controller, MenuTarget *application);
};
