#include "appdelegate.h"

#include "app/plumetrackinfo.h"
#include "calendar/calendarfile.h"
#include "platform/browser.h"
#include "platform/dialogs.h"
#include "platform/httpclient.h"
#include "platform/settings.h"
#include "sources/weberrors.h"
#include "text/stringutils.h"

AppDelegate::AppDelegate(Settings &settings, HttpClient &http, Dialogs &dialogs, Browser &browser,
                         SourceAddresses addresses, qint64 runningBuild, std::function<void()> quit,
                         QString program)
    : m_settings(settings), m_http(http), m_dialogs(dialogs), m_browser(browser),
      m_addresses(std::move(addresses)), m_runningBuild(runningBuild), m_quit(std::move(quit)),
      m_autostart(std::move(program))
{ }

namespace {

// A build without a maker's server names a host of the reserved ".invalid" domain.
bool isNowhere(const QUrl &url)
{
    const QString host = url.host().toLower();
    return host == QLatin1String("invalid") || host.endsWith(QLatin1String(".invalid"));
}

} // namespace

void AppDelegate::applicationDidFinishLaunching()
{
    // The mirror is on by default where the build has one.
    QVariantMap defaults {{QStringLiteral("UseMirror"), !isNowhere(m_addresses.mirror)},
                          {QStringLiteral("NotifyOnChanges"), true}};
    // Every source is read unless stored otherwise.
    for (const auto &[source, key] : sourceKeys)
        defaults.insert(QStringLiteral("Sources/") + QLatin1String(key), true);
    m_settings.registerDefaults(defaults);
    if (m_settings.integerForKey(QStringLiteral("UpdateTimeSeconds")) == 0)
        m_settings.setValue(1200, QStringLiteral("UpdateTimeSeconds"));
}

qint64 AppDelegate::buildNumberOf(const QString &text)
{
    return parseWholeNumber(text).value_or(0);
}

qint64 AppDelegate::appBuildNumber()
{
    return buildNumberOf(QStringLiteral(PLUMETRACK_BUILD_NUMBER));
}

void AppDelegate::checkForUpdates()
{
    // The read below keeps the event loop turning: a second choice of the command meanwhile
    // must not start another check.
    if (m_checkingForUpdates)
        return;
    m_checkingForUpdates = true;
    m_dialogs.activate();
    Alert alert;
    alert.buttons << tr("OK");

    if (isNowhere(m_addresses.versionInfo)) {
        alert.messageText = tr("This build of Plumetrack has no update server.");
        alert.informativeText = tr("Updates come with the package that installed it.");
        m_dialogs.runModal(alert);
        m_checkingForUpdates = false;
        return;
    }
    QString failure;
    const HttpClient::Result read
        = m_http.getBlocking(m_addresses.versionInfo, HttpClient::Expect::json);
    std::optional<PlumetrackInfo> info;
    if (!read.body || read.error)
        failure = read.error ? read.error->description : tr("No data was read.");
    else
        info = PlumetrackInfo::decode(*read.body, &failure);

    if (!info) {
        alert.messageText = tr("Plumetrack cannot get the latest version information.");
        alert.informativeText = failure;
    } else if (m_runningBuild >= info->latestAppBuild) {
        alert.buttons << tr("Visit Website");
        alert.messageText = tr("You have the latest version.");
    } else {
        alert.messageText = tr("A newer version %1 (%2) is available for download.")
                                .arg(info->latestAppVersionReadable)
                                .arg(info->latestAppBuild);
        alert.buttons << tr("Visit Website to get the latest version.");
    }
    const int answer = m_dialogs.runModal(alert);
    if (answer == Dialogs::secondButton && alert.buttons.size() > 1)
        m_browser.open(m_addresses.website);
    m_checkingForUpdates = false;
}

void AppDelegate::showAbout()
{
    m_dialogs.activate();
    m_dialogs.showAbout();
}

void AppDelegate::toggleStartAtLogin()
{
    const bool enable = !m_autostart.isEnabled();
    if (const std::optional<QString> failure = m_autostart.setEnabled(enable)) {
        m_dialogs.activate();
        Alert alert;
        alert.buttons << tr("OK");
        alert.messageText = enable ? tr("Plumetrack cannot start at login.")
                                   : tr("Plumetrack cannot stop starting at login.");
        alert.informativeText = *failure;
        m_dialogs.runModal(alert);
    }
    showStartAtLogin();
}

void AppDelegate::showStartAtLogin()
{
    if (m_startAtLogin)
        m_startAtLogin->setState(m_autostart.isEnabled() ? MenuItem::On : MenuItem::Off);
}

void AppDelegate::updateMap()
{
    if (m_mapScene)
        m_dialogs.updateMap(m_mapScene);
}

void AppDelegate::performAction(Action action, MenuItem &)
{
    switch (action) {
    case Action::checkForUpdates:
        checkForUpdates();
        return;
    case Action::showAbout:
        showAbout();
        return;
    case Action::toggleStartAtLogin:
        toggleStartAtLogin();
        return;
    case Action::showMap:
        if (m_mapScene) {
            m_dialogs.activate();
            m_dialogs.showMap(m_mapScene(), [this](const QUrl &page) { m_browser.open(page); });
        }
        return;
    case Action::openCalendar:
        m_browser.open(QUrl::fromLocalFile(CalendarFile::defaultPath())); // the text/calendar app
        return;
    case Action::quit:
        if (m_quit)
            m_quit();
        return;
    default:
        return;
    }
}
