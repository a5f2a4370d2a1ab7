#include "qtplatform.h"

#include "platform/qt/qtbrowser.h"
#include "platform/qt/qtcaches.h"
#include "platform/qt/qtdialogs.h"
#include "platform/qt/qthttpclient.h"
#include "platform/qt/qtnotifier.h"
#include "platform/qt/qtrunloop.h"
#include "platform/qt/qtsettings.h"
#include "platform/qt/qttray.h"
#include "platform/qt/systemclock.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLockFile>
#include <QStandardPaths>
#include <QThreadPool>

namespace {

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv, bool headless)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Plumetrack"));
    QCoreApplication::setApplicationName(QStringLiteral("Plumetrack"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PLUMETRACK_VERSION));
    if (headless && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (headless)
        return std::make_unique<QGuiApplication>(argc, argv);
    auto application = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return application;
}

} // namespace

struct QtPlatform::Services
{
    Services(int &argc, char **argv, bool headless)
        : application(makeApplication(argc, argv, headless)), runLoop(application.get())
    { }

    std::unique_ptr<QCoreApplication> application;
    QtRunLoop runLoop;
    SystemClock clock;
    QtHttpClient http;
    QtCaches caches;
    QtSettings settings;
    QtBrowser browser;
    QtDialogs dialogs;
    QtNotifier notifier;
    std::unique_ptr<QLockFile> lock;
};

QtPlatform::QtPlatform(int &argc, char **argv, bool headless)
    : m_services(std::make_unique<Services>(argc, argv, headless))
{ }

QtPlatform::~QtPlatform() = default;

int QtPlatform::exec()
{
    const int status = m_services->application->exec();
    // Completions already running on worker threads report to the program's objects: they end
    // before those objects go.
    QThreadPool::globalInstance()->waitForDone();
    return status;
}

void QtPlatform::quit(int status)
{
    QCoreApplication::exit(status);
}

void QtPlatform::setUserAgent(const QByteArray &userAgent)
{
    m_services->http.setUserAgent(userAgent);
}

HttpClient &QtPlatform::http()
{
    return m_services->http;
}
RunLoop &QtPlatform::runLoop()
{
    return m_services->runLoop;
}
const Clock &QtPlatform::clock()
{
    return m_services->clock;
}
const Caches &QtPlatform::caches()
{
    return m_services->caches;
}
Settings &QtPlatform::settings()
{
    return m_services->settings;
}
Browser &QtPlatform::browser()
{
    return m_services->browser;
}
Dialogs &QtPlatform::dialogs()
{
    return m_services->dialogs;
}

Notifier &QtPlatform::notifier()
{
    return m_services->notifier;
}

QString QtPlatform::programPath() const
{
    return QCoreApplication::applicationFilePath();
}

std::unique_ptr<QtTray> QtPlatform::showTray(StatusItem &item)
{
    return std::make_unique<QtTray>(item);
}

bool QtPlatform::acquireSingleInstanceLock()
{
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty())
        directory = QDir::tempPath();
    m_services->lock = std::make_unique<QLockFile>(directory + QStringLiteral("/plumetrack.lock"));
    m_services->lock->setStaleLockTime(0);
    return m_services->lock->tryLock(0);
}
