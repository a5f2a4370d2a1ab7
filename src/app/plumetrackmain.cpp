#include "plumetrackmain.h"

#include "app/application.h"
#include "app/commandline.h"
#include "app/oncerun.h"
#include "calendar/calendarfile.h"
#include "platform/clock.h"
#include "platform/logging.h"
#include "platform/qt/qtmap.h"
#include "platform/qt/qtplatform.h"
#include "platform/qt/qttray.h"
#include "scrapers/scrapersroot.h"
#include "text/dateformathelper.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

void write(FILE *to, const QString &text)
{
    std::fputs(text.toUtf8().constData(), to);
    std::fflush(to);
}

ScraperEnvironment environmentOf(QtPlatform &platform)
{
    return ScraperEnvironment {platform.http(), platform.runLoop(), platform.clock(),
                               platform.caches(), SourceAddresses::fromEnvironment(),
                               // What each parsed detail document said, for the curious.
                               [](const QString &line) { qCDebug(lcFaa).noquote() << line; }};
}

int runTray(QtPlatform &platform)
{
    if (!platform.acquireSingleInstanceLock()) {
        write(stderr, QStringLiteral("Plumetrack is already running.\n"));
        return 0;
    }
    const ScraperEnvironment environment = environmentOf(platform);
    Application application({environment, platform.settings(), platform.dialogs(),
                             platform.browser(), platform.notifier(), AppDelegate::appBuildNumber(),
                             [&platform] { platform.quit(); }, platform.programPath()});
    // The calendar that calendar apps subscribe to follows what the menu shows.
    CalendarFile calendar(CalendarFile::defaultPath(), environment.placeZone);
    StatusMenuController &controller = application.controller();
    controller.addShownChanged([&] {
        QList<Source> unread;
        for (const auto &[source, key] : sourceKeys) {
            if (controller.isEnabled(source) && !controller.wasRead(source))
                unread << source;
        }
        calendar.update(NoticeCalendar::eventsOf(controller.shownNotices()), unread,
                        platform.clock().now(), controller.parser()->period());
    });
    // The tray shows the application's status item and menu: it goes before they do.
    const std::unique_ptr<QtTray> tray = platform.showTray(application.controller().statusBar());
    return platform.exec();
}

int runOnce(QtPlatform &platform, const CommandLine &line)
{
    OnceRun run(platform.runLoop(), line.timeoutSeconds, [&platform] { platform.quit(); });
    ScraperEnvironment environment = environmentOf(platform);
    environment.answered = run.hook();
    Application application({environment, platform.settings(), platform.dialogs(),
                             platform.browser(), platform.notifier(), AppDelegate::appBuildNumber(),
                             nullptr, platform.programPath()});
    for (const auto &[source, key] : sourceKeys) {
        if (!application.controller().isEnabled(source))
            run.skip(source);
    }
    run.start();
    platform.exec();

    StatusMenuController &controller = application.controller();
    // A source that has not answered by now counts as not reached.
    controller.checkEnded(QStringLiteral("no answer within %1 s").arg(line.timeoutSeconds));
    run.setProblems([&controller](Source source) -> std::optional<QString> {
        if (const std::optional<SourceProblem> problem = controller.problem(source))
            return problem->reason;
        return std::nullopt;
    });
    const int defaults = controller.statusMenuNumberOfDefaultItems();
    const StatusItem &item = controller.statusBar();
    const Menu &menu = application.statusMenu();
    switch (line.format) {
    case CommandLine::Format::text:
        write(stdout, OnceRun::text(item, menu, defaults));
        break;
    case CommandLine::Format::json:
        write(stdout,
              run.json(item, menu, defaults, controller.shownNotices(),
                       controller.coveredLaunches(), controller.possibleActivity()));
        break;
    case CommandLine::Format::waybar:
        // A bar hides a module whose command fails: the class carries the failure instead.
        write(stdout, run.waybar(item, menu, defaults));
        return 0;
    case CommandLine::Format::ics: {
        // The stamps and sequences of the calendar the tray keeps, where there is one: a job that
        // serves this output does not mark every event as changed. Its files stay as they are.
        const QString zone = environment.placeZone;
        NoticeCalendar::Revisions revisions = CalendarFile::read(CalendarFile::defaultPath(), zone);
        NoticeCalendar::revise(NoticeCalendar::eventsOf(controller.shownNotices()), revisions,
                               platform.clock().now());
        write(stdout,
              QString::fromUtf8(
                  NoticeCalendar::write(revisions, controller.parser()->period(), zone)));
        break;
    }
    case CommandLine::Format::i3blocks: {
        write(stdout, run.i3blocks(item, controller));
        return 0;
    }
    case CommandLine::Format::geojson:
    case CommandLine::Format::svg: {
        const map::Scene scene = map::sceneOf(controller.shownNotices(), controller.rows(),
                                              controller.areaProblems(), platform.clock().now());
        const QByteArray bytes = line.format == CommandLine::Format::svg
            ? qtmap::svgOf(scene)
            : map::geoJsonOf(scene, controller.rows()) + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        break;
    }
    }
    return run.exitStatus();
}

} // namespace

int plumetrackMain(int argc, char **argv)
{
    // The program's own options all start with "--" (or are "-h"); Qt's take one dash. Any of ours
    // means no tray, so that --help and --once run without a display.
    const bool headless = std::any_of(argv + 1, argv + argc, [](const char *argument) {
        return std::strncmp(argument, "--", 2) == 0 || std::strcmp(argument, "-h") == 0;
    });
    // The application object takes Qt's own arguments ("-session ID" from a session manager,
    // "-platform NAME") out of argv; the program reads what remains.
    QtPlatform platform(argc, argv, headless);
    // Requests name the program and where to learn about it, as server operators expect.
    platform.setUserAgent(QStringLiteral("Plumetrack/%1 (+%2)")
                              .arg(QCoreApplication::applicationVersion(),
                                   SourceAddresses::fromEnvironment().website.toString())
                              .toUtf8());
    DateFormatHelper::useTimeLocale();
    // The program's texts in the first of the user's languages that has a catalogue (LANGUAGE,
    // then LC_ALL, LC_MESSAGES, LANG), else in English.
    // Qt's own texts (the dialogs' standard buttons) come from Qt's catalogue of the same language,
    // so that a dialog never mixes two.
    QTranslator translator;
    QTranslator qtTranslator;
    if (translator.load(QLocale::system(), QStringLiteral("plumetrack"), QStringLiteral("_"),
                        QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(&translator);
        if (qtTranslator.load(QStringLiteral("qtbase_") + translator.language(),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qtTranslator);
    }
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = CommandLine::parse(arguments);
    useLogPattern();
    if (line.verbose)
        enableVerboseLogging();
    switch (line.mode) {
    case CommandLine::Mode::Help:
        write(stdout, CommandLine::usage());
        return 0;
    case CommandLine::Mode::Version:
        write(stdout, CommandLine::version(AppDelegate::appBuildNumber()) + QLatin1Char('\n'));
        return 0;
    case CommandLine::Mode::Invalid:
        write(stderr, QStringLiteral("plumetrack: %1\n").arg(line.problem) + CommandLine::usage());
        return 2;
    case CommandLine::Mode::Once:
        return runOnce(platform, line);
    case CommandLine::Mode::Tray:
        break;
    }
    return runTray(platform);
}
