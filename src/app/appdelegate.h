#pragma once

#include "app/autostart.h"
#include "map/mapscene.h"
#include "platform/menutarget.h"
#include "sources/sourceaddresses.h"

#include "platform/menuitem.h"

#include <QCoreApplication>

#include <functional>

class Browser;
class Dialogs;
class HttpClient;
class Settings;

// The application's own commands: the launch step, the update check, the About panel, Start at
// Login and Quit.
class AppDelegate final : public MenuTarget
{
    Q_DECLARE_TR_FUNCTIONS(AppDelegate)

public:
    // `runningBuild` is the build compared with the announced one (appBuildNumber()).
    AppDelegate(Settings &settings, HttpClient &http, Dialogs &dialogs, Browser &browser,
                SourceAddresses addresses, qint64 runningBuild, std::function<void()> quit,
                QString program = QString());

    // Registers "NotifyOnChanges" as true for this process and "UseMirror" as true where the
    // build has a mirror (its server is no ".invalid" host), and stores 1200 as
    // "UpdateTimeSeconds" when the store has 0.
    void applicationDidFinishLaunching();

    // Compares the running build with the newest one announced and says so in a dialog that
    // offers the program's web page. One check at a time.
    void checkForUpdates();
    void showAbout();
    // Writes or removes the autostart entry; a failure shows an alert with the reason.
    void toggleStartAtLogin();
    // The Start at Login entry's check mark shows whether the autostart entry exists.
    void setStartAtLoginItem(MenuItem::Ptr item) { m_startAtLogin = std::move(item); }
    void showStartAtLogin();
    // Where "Show Map…" takes its scene from: the notices shown when it is chosen.
    void setMapScene(std::function<map::Scene()> scene) { m_mapScene = std::move(scene); }
    // Gives an open map window the notices shown now.
    void updateMap();

    // The update check, About, Start at Login, the calendar, the map and Quit.
    void performAction(Action action, MenuItem &sender) override;

    // The build this program is, from the build's configuration; 0 when that is not an integer.
    static qint64 appBuildNumber();
    // The same rules for any text.
    static qint64 buildNumberOf(const QString &text);

private:
    Settings &m_settings;
    HttpClient &m_http;
    Dialogs &m_dialogs;
    Browser &m_browser;
    SourceAddresses m_addresses;
    qint64 m_runningBuild;
    std::function<void()> m_quit;
    Autostart m_autostart;
    MenuItem::Ptr m_startAtLogin;
    bool m_checkingForUpdates = false;
    std::function<map::Scene()> m_mapScene;
};
