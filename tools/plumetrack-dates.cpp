// plumetrack-dates: shows what the date finder reads in each line of standard input.
//
//   plumetrack-dates [--now ISO-8601] [--matches | --windows] < lines
//
// For each line it writes one line: the instants that the finder returns, as ISO-8601 with the
// UTC offset of the user's zone (TZ), separated by tabs, or an empty line when there are none.
// With --matches it writes each match instead: its text, start and duration in seconds. With
// --windows it writes each window: START/END, or START when the text gives no end; times with the
// offset of the user's zone, days as dates of Brownsville (END the last day).

#include "platform/clock.h"
#include "text/dateextractor.h"
#include "text/daterecognizer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QTimeZone>

#include <unicode/timezone.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

class FixedClock final : public Clock
{
public:
    explicit FixedClock(double now) : m_now(now) { }
    double now() const override { return m_now; }

private:
    double m_now;
};

QString iso(double instant, const icu::TimeZone &zone)
{
    int32_t raw = 0, dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone.getOffset(instant * 1000.0, false, raw, dst, status);
    const int offset = (raw + dst) / 1000;
    const QDateTime time
        = QDateTime::fromSecsSinceEpoch(qint64(std::floor(instant)), QTimeZone(offset));
    return time.toString(Qt::ISODate);
}

// A window as START/END or START: date-times, or dates for days only.
QString windowText(const Window &window, const icu::TimeZone &zone)
{
    if (window.hasTime)
        return window.end ? iso(window.start, zone) + u'/' + iso(*window.end, zone)
                          : iso(window.start, zone);
    const QTimeZone place("America/Chicago");
    const auto day = [&place](double instant) {
        return QDateTime::fromSecsSinceEpoch(qint64(instant), place).date().toString(Qt::ISODate);
    };
    const QString first = day(window.firstDay());
    const QString last = day(window.lastDay());
    return first == last ? first : first + u'/' + last;
}

int usage(FILE *to)
{
    std::fputs("usage: plumetrack-dates [--now ISO-8601] [--matches | --windows] < lines\n", to);
    return to == stdout ? 0 : 2;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace std::chrono;
    double now = duration<double>(system_clock::now().time_since_epoch()).count();
    bool showMatches = false;
    bool showWindows = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--matches")) {
            showMatches = true;
        } else if (argument == QLatin1String("--windows")) {
            showWindows = true;
        } else if (argument == QLatin1String("--now") && i + 1 < argc) {
            const QDateTime time
                = QDateTime::fromString(QString::fromLocal8Bit(argv[++i]), Qt::ISODateWithMs);
            if (!time.isValid()) {
                std::fprintf(stderr, "plumetrack-dates: not an ISO-8601 time: %s\n", argv[i]);
                return 2;
            }
            now = time.toMSecsSinceEpoch() / 1000.0;
        } else if (argument == QLatin1String("--help")) {
            return usage(stdout);
        } else {
            return usage(stderr);
        }
    }

    const FixedClock clock(now);
    const std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    // Times written without a zone are Brownsville's, as the program reads them.
    const std::unique_ptr<icu::TimeZone> place(icu::TimeZone::createTimeZone("America/Chicago"));
    QTextStream in(stdin);
    QTextStream out(stdout);
    QString line;
    while (in.readLineInto(&line)) {
        QStringList fields;
        if (showWindows) {
            for (const Window &window :
                 DateExtractor::windows(line, clock, QStringLiteral("America/Chicago")))
                fields << windowText(window, *zone);
        } else if (showMatches) {
            for (const DateMatch &match : DateRecognizer::matches(line, now, *place))
                fields << QStringLiteral("%1 | %2 | %3")
                              .arg(line.mid(match.position, match.length), iso(match.start, *zone))
                              .arg(match.duration);
        } else {
            for (double instant :
                 DateExtractor::dates(line, clock, QStringLiteral("America/Chicago")))
                fields << iso(instant, *zone);
        }
        out << fields.join(QLatin1Char('\t')) << '\n';
    }
    return 0;
}
