#pragma once

#include <QString>

#include <memory>

class Browser;
class Caches;
class Clock;
class QtTray;
class Dialogs;
class HttpClient;
class Notifier;
class RunLoop;
class Settings;
class StatusItem;

// The Qt process and the Qt implementations of every seam. Made first in main: it creates the
// application object the others need.
class QtPlatform final
{
public:
    // `headless`: no tray and no display needed; the off-screen platform is used when no display
    // is set.
    QtPlatform(int &argc, char **argv, bool headless);
    ~QtPlatform();

    int exec();
    void quit(int status = 0);

    HttpClient &http();
    // What every request says it comes from.
    void setUserAgent(const QByteArray &userAgent);
    RunLoop &runLoop();
    const Clock &clock();
    const Caches &caches();
    Settings &settings();
    Browser &browser();
    Dialogs &dialogs();
    Notifier &notifier();
    // The running program's absolute path.
    QString programPath() const;

    // Shows the status item in the tray, for as long as the tray returned lives: the caller keeps
    // it no longer than the item.
    std::unique_ptr<QtTray> showTray(StatusItem &item);
    // False when another copy of the program runs for this user.
    bool acquireSingleInstanceLock();

private:
    struct Services;
    std::unique_ptr<Services> m_services;
};
