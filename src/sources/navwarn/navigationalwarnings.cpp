#include "navigationalwarnings.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/logging.h"
#include "sources/positions.h"
#include "sources/scraperdelegate.h"
#include "text/stringutils.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace {

const QStringList launchPhrases {QStringLiteral("ROCKET LAUNCHING"), QStringLiteral("SPACE DEBRIS"),
                                 QStringLiteral("SPACE OPERATIONS")};

// A whole number written as a JSON number or as a string of ASCII digits.
std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (std::floor(number) != number || number < 0 || number > 1e15)
            return std::nullopt;
        return qint64(number);
    }
    const QString text = value.toString();
    if (!value.isString() || text.isEmpty() || text.size() > 15)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return text.toLongLong();
}

QString areaName(const QString &navArea)
{
    if (navArea == u"4")
        return QStringLiteral("NAVAREA IV");
    if (navArea == u"12")
        return QStringLiteral("NAVAREA XII");
    if (navArea == u"A")
        return QStringLiteral("HYDROLANT");
    if (navArea == u"P")
        return QStringLiteral("HYDROPAC");
    if (navArea == u"C")
        return QStringLiteral("HYDROARC");
    return QStringLiteral("NAVAREA ") + navArea;
}

// What the warning announces: its first numbered item with the line after it, or else the first
// line that names a launch.
QString summaryOf(const QString &text)
{
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1String("1."))) {
            QString summary = line.mid(2).trimmed();
            if (i + 1 < lines.size())
                summary += u' ' + lines[i + 1].trimmed();
            return summary.simplified();
        }
    }
    for (const QString &line : lines) {
        const QString upper = line.toUpper();
        if (std::any_of(launchPhrases.begin(), launchPhrases.end(),
                        [&upper](const QString &phrase) { return upper.contains(phrase); }))
            return line.simplified();
    }
    return {};
}

} // namespace

QList<Window> NavigationalWarnings::windowsOf(const QString &text, double now)
{
    static const QStringList months {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    static const QRegularExpression monthWord(
        QStringLiteral("\\b(JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC)\\b"));
    // "092245Z TO 092356Z DEC", "302230Z DEC TO 010530Z JAN", "201153Z TO 201622Z," (its month
    // written after it).
    static const QRegularExpression range(QStringLiteral(
        "\\b(\\d{2})(\\d{2})(\\d{2})Z(?:\\s+([A-Z]{3})\\b)?\\s+TO\\s+(\\d{2})?(\\d{2})("
        "\\d{2})Z(?:\\s+([A-Z]{3})\\b)?"));
    // "1025Z TO 1610Z DAILY 17 THRU 21 APR", "1200Z TO 1400Z DAILY 18 AND 19 APR".
    static const QRegularExpression daily(QStringLiteral(
        "\\b(\\d{2})(\\d{2})Z\\s+TO\\s+(\\d{2})(\\d{2})Z\\s+DAILY\\s+(\\d{1,2})(?:\\s+"
        "([A-Z]{3}))?\\s+(THRU|AND)\\s+(\\d{1,2})\\s+([A-Z]{3})\\b"));
    const auto monthOf = [](const QString &word) { return int(months.indexOf(word)) + 1; };
    const int nowYear = QDateTime::fromSecsSinceEpoch(qint64(now), QTimeZone::utc()).date().year();
    // The year that puts a day of a month closest to now.
    const auto yearOf = [&](int month, int day) {
        int best = nowYear;
        for (int year = nowYear - 1; year <= nowYear + 1; ++year) {
            const QDate date(year, month, day);
            const QDate bestDate(best, month, day);
            const double at
                = double(QDateTime(date, QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch());
            const double bestAt
                = double(QDateTime(bestDate, QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch());
            if (date.isValid()
                && (!bestDate.isValid() || std::abs(at - now) < std::abs(bestAt - now)))
                best = year;
        }
        return best;
    };
    // A window from one day and time to another, each in UTC; none for a day that is no day.
    const auto window = [&](QDate startDay, int startMinutes, QDate endDay,
                            int endMinutes) -> std::optional<Window> {
        if (!startDay.isValid() || !endDay.isValid() || startMinutes >= 24 * 60
            || endMinutes >= 24 * 60)
            return std::nullopt;
        const QDateTime start(startDay, QTime(startMinutes / 60, startMinutes % 60),
                              QTimeZone::utc());
        QDateTime end(endDay, QTime(endMinutes / 60, endMinutes % 60), QTimeZone::utc());
        if (end < start)
            end = end.addDays(1);
        return Window {double(start.toSecsSinceEpoch()), double(end.toSecsSinceEpoch()), true};
    };

    QList<Window> windows;
    for (auto it = range.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        int endMonth = monthOf(m.captured(8));
        if (endMonth == 0) // the month written after the range
            endMonth = monthOf(monthWord.match(text, m.capturedEnd()).captured(1));
        int startMonth = monthOf(m.captured(4));
        const int startDay = m.captured(1).toInt();
        const int endDay = m.captured(5).isEmpty() ? startDay : m.captured(5).toInt();
        if (startMonth == 0)
            startMonth = startDay > endDay ? (endMonth + 10) % 12 + 1 : endMonth;
        if (endMonth == 0)
            continue;
        const int year = yearOf(startMonth, startDay);
        const int endYear = endMonth < startMonth ? year + 1 : year;
        if (const auto w = window(QDate(year, startMonth, startDay),
                                  m.captured(2).toInt() * 60 + m.captured(3).toInt(),
                                  QDate(endYear, endMonth, endDay),
                                  m.captured(6).toInt() * 60 + m.captured(7).toInt()))
            windows << *w;
    }
    for (auto it = daily.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int lastMonth = monthOf(m.captured(9));
        const int firstMonth = m.captured(6).isEmpty() ? lastMonth : monthOf(m.captured(6));
        const int year = yearOf(firstMonth, m.captured(5).toInt());
        const QDate first(year, firstMonth, m.captured(5).toInt());
        const QDate last(lastMonth < firstMonth ? year + 1 : year, lastMonth,
                         m.captured(8).toInt());
        if (!first.isValid() || !last.isValid() || first > last || first.daysTo(last) > 62)
            continue;
        QList<QDate> days {first};
        if (m.captured(7) == QLatin1String("THRU")) {
            for (QDate day = first.addDays(1); day <= last; day = day.addDays(1))
                days << day;
        } else if (last != first) {
            days << last;
        }
        const int from = m.captured(1).toInt() * 60 + m.captured(2).toInt();
        const int to = m.captured(3).toInt() * 60 + m.captured(4).toInt();
        for (const QDate &day : days) {
            if (const auto w = window(day, from, day, to))
                windows << *w;
        }
    }
    std::stable_sort(windows.begin(), windows.end(),
                     [](const Window &a, const Window &b) { return a.start < b.start; });
    return windows;
}

NavigationalWarnings::NavigationalWarnings(ScraperEnvironment environment)
    : m_environment(std::move(environment))
{ }

std::optional<QList<Notice>> NavigationalWarnings::parse(const QByteArray &json, double now,
                                                         QString *problem)
{
    const std::optional<QJsonArray> list
        = feedListOf(json, QLatin1String("broadcast-warn"), problem);
    if (!list)
        return std::nullopt;

    struct Warning
    {
        qint64 year;
        qint64 number;
        Notice notice;
    };
    std::vector<Warning> warnings;
    const QJsonArray &elements = *list;
    qsizetype recognised = 0;
    for (const QJsonValue &element : elements) {
        const QJsonObject warning = element.toObject();
        const QJsonValue text = warning.value(QLatin1String("text"));
        const std::optional<QString> navArea = jsonText(warning.value(QLatin1String("navArea")));
        const std::optional<qint64> number = wholeNumber(warning.value(QLatin1String("msgNumber")));
        const std::optional<qint64> year = wholeNumber(warning.value(QLatin1String("msgYear")));
        if (!text.isString() || !navArea || !number || !year) {
            qCDebug(lcNavwarn) << "a warning without its text, area, number or year is passed over";
            continue;
        }
        ++recognised;
        const QString body = text.toString();
        const QString upper = body.toUpper();
        const QList<GeoPoint> points = positions::in(body);
        if (std::none_of(launchPhrases.begin(), launchPhrases.end(),
                         [&upper](const QString &phrase) { return upper.contains(phrase); })
            || !positions::nearThePad(points))
            continue;
        const QString left = QStringLiteral("%1 %2/%3")
                                 .arg(areaName(*navArea))
                                 .arg(*number)
                                 .arg(*year % 100, 2, 10, QLatin1Char('0'));
        static const QRegularExpression nonWord(QStringLiteral("[^a-z0-9]+"));
        Notice notice;
        notice.source = Source::navwarn;
        notice.key
            = QStringLiteral("navwarn-") + left.toLower().replace(nonWord, QStringLiteral("-"));
        notice.label = left;
        notice.text = summaryOf(body);
        notice.windows = windowsOf(notice.text, now);
        notice.area = positions::areaOf(points);
        warnings.push_back({*year, *number, std::move(notice)});
    }
    // Entries none of which is a warning: an error answered in the feed's shape, or renamed
    // fields. Either is no quiet day.
    if (!elements.isEmpty() && recognised == 0) {
        if (problem)
            *problem = QStringLiteral("the feed's entries were not recognised");
        return std::nullopt;
    }
    std::stable_sort(warnings.begin(), warnings.end(), [](const Warning &a, const Warning &b) {
        return a.year != b.year ? a.year > b.year : a.number > b.number;
    });
    QList<Notice> notices;
    for (Warning &warning : warnings)
        notices.append(std::move(warning.notice));
    finishRead(notices);
    return notices;
}

void NavigationalWarnings::check()
{
    m_environment.http.get(m_environment.addresses.navwarn, HttpClient::Expect::json,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->downloaded(body, error);
                           });
}

void NavigationalWarnings::failed(const SourceProblem &problem)
{
    if (m_delegate)
        m_delegate->error(problem.kind, Source::navwarn, problem.reason);
    m_environment.answer(Source::navwarn, false);
}

void NavigationalWarnings::downloaded(const std::optional<QByteArray> &body,
                                      const std::optional<HttpError> &error)
{
    if (const std::optional<SourceProblem> problem = problemOf(body, error)) {
        failed(*problem);
        return;
    }
    QString problem;
    std::optional<QList<Notice>> rows = parse(*body, m_environment.clock.now(), &problem);
    if (!rows) {
        failed({WebErrors::loadFailed, problem});
        return;
    }
    for (Notice &notice : *rows)
        notice.page = link();
    if (m_delegate)
        m_delegate->noticesRead(Source::navwarn, std::move(*rows));
    m_environment.answer(Source::navwarn, true);
}
