// The tray's memory over hundreds of checks: the program's objects on the real Qt stack against
// the loopback demo world (plumetrack-demo-server beside this program), one check after another,
// the calendar written as the tray writes it.
//
//   soak [CHECKS]
//
// Prints the heap in use and the private memory after the warm-up and after the last check, and
// their growth per check. A program left running for weeks must not grow.
#include "app/application.h"
#include "calendar/calendarfile.h"
#include "platform/clock.h"
#include "platform/qt/qtplatform.h"
#include "scrapers/scrapersroot.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <malloc.h>

#include <atomic>
#include <cstdio>

namespace {

// Private memory of the process in KiB, as the kernel counts it.
long privateKiB()
{
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    long total = 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        if (line.startsWith("Private_"))
            total += line.split(':').value(1).trimmed().split(' ').value(0).toLong();
    }
    return total;
}

long heapKiB()
{
    malloc_trim(0);
    return long(mallinfo2().uordblks / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.path().toUtf8());
    QtPlatform platform(argc, argv, true);
    // The demo world in a process of its own, so that its memory is not counted here.
    QProcess server;
    server.start(QCoreApplication::applicationDirPath()
                 + QStringLiteral("/plumetrack-demo-server"));
    if (!server.waitForStarted() || !server.waitForReadyRead()) {
        std::fputs("soak: the demo server did not start\n", stderr);
        return 1;
    }
    static const QRegularExpression setting(QStringLiteral("^export (\\w+)='(.*)'$"),
                                            QRegularExpression::MultilineOption);
    for (auto it = setting.globalMatch(QString::fromUtf8(server.readAllStandardOutput()));
         it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        qputenv(m.captured(1).toUtf8().constData(), m.captured(2).toUtf8());
    }
    const int checks = argc > 1 ? std::atoi(argv[1]) : 300;
    std::atomic<int> answers = 0;
    ScraperEnvironment environment {platform.http(),
                                    platform.runLoop(),
                                    platform.clock(),
                                    platform.caches(),
                                    SourceAddresses::fromEnvironment(),
                                    {}};
    environment.answered = [&answers](Source, bool) { ++answers; };
    {
        Application application({environment,
                                 platform.settings(),
                                 platform.dialogs(),
                                 platform.browser(),
                                 platform.notifier(),
                                 1,
                                 nullptr,
                                 {}});
        StatusMenuController &controller = application.controller();
        CalendarFile calendar(CalendarFile::defaultPath(), environment.placeZone);
        controller.addShownChanged([&] {
            calendar.update(NoticeCalendar::eventsOf(controller.shownNotices()), {},
                            platform.clock().now(), controller.parser()->period());
        });
        // Checks one after another, each waited for, from the main loop as the tray runs it.
        const int warmUp = std::min(50, checks / 3);
        int done = 0;
        int expected = 0;
        long heap = 0;
        long owned = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (answers < expected)
                return;
            if (done == warmUp) {
                heap = heapKiB();
                owned = privateKiB();
            } else if (done > warmUp && (done - warmUp) % 100 == 0) {
                std::printf("after %d checks: heap %ld KiB, private %ld KiB\n", done, heapKiB(),
                            privateKiB());
            }
            if (done++ == checks) {
                QCoreApplication::quit();
                return;
            }
            expected = answers + int(sourceKeys.size());
            // A check as the root's timer makes it, one after another.
            controller.updateLastChecked();
            for (const auto &[source, key] : sourceKeys)
                controller.parser()->check(source);
        });
        poll.start(5);
        platform.exec();
        const int measured = checks - warmUp;
        std::printf("checks: %d after %d of warm-up\n", measured, warmUp);
        std::printf("heap in use: %ld -> %ld KiB, %.2f KiB a check\n", heap, heapKiB(),
                    double(heapKiB() - heap) / measured);
        std::printf("private memory: %ld -> %ld KiB, %.2f KiB a check\n", owned, privateKiB(),
                    double(privateKiB() - owned) / measured);
    }
    QThreadPool::globalInstance()->waitForDone();
    server.terminate();
    server.waitForFinished();
    return 0;
}
