#pragma once

#include "app/appdelegate.h"
#include "menu/statusmenucontroller.h"
#include "platform/menu.h"
#include "sources/scraperenvironment.h"

#include <functional>
#include <memory>

class Browser;
class Dialogs;
class Notifier;
class Settings;

// The program's objects, brought up in order: the launch step (so that even the first check reads
// the registered defaults), the controller, the default entries, then the controller's start with
// its first check.
class Application final
{
public:
    struct Services
    {
        ScraperEnvironment environment;
        Settings &settings;
        Dialogs &dialogs;
        Browser &browser;
        Notifier &notifier;
        qint64 runningBuild;
        std::function<void()> quit;
        QString program; // the running program's absolute path, for Start at Login
    };

    explicit Application(Services services);
    ~Application();

    AppDelegate &delegate() { return m_delegate; }
    StatusMenuController &controller() { return *m_controller; }
    Menu &statusMenu() { return m_statusMenu; }

private:
    Menu m_statusMenu;
    AppDelegate m_delegate;
    std::unique_ptr<StatusMenuController> m_controller;
};
