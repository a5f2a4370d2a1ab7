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
    static const QRegularExpression groups(
        QStringLiteral("\\b(\\d{2})(\\d{2})(\\d{2})Z(?: \\w{3})? TO (?:(\\d{2}))?(\\d{2})(\\d{2})Z "
                       "([A-Z]{3})\\b"));
    const QRegularExpressionMatch m = groups.match(text);
    if (!m.hasMatch())
        return {};
    static const QStringList months {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const int month = int(months.indexOf(m.captured(7))) + 1;
    if (month == 0)
        return {};
    const int nowYear = QDateTime::fromSecsSinceEpoch(qint64(now), QTimeZone::utc()).date().year();
    std::optional<Window> best;
    for (int year = nowYear - 1; year <= nowYear + 1; ++year) {
        const auto at = [&](int day, int hour, int minute) {
            return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc());
        };
        const QDateTime start
            = at(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        QDateTime end = at(m.captured(4).isEmpty() ? m.captured(1).toInt() : m.captured(4).toInt(),
                           m.captured(5).toInt(), m.captured(6).toInt());
        if (!start.isValid() || !end.isValid())
            continue;
        if (end < start)
            end = end.addDays(1);
        const double s = double(start.toSecsSinceEpoch());
        if (!best || std::abs(s - now) < std::abs(best->start - now))
            best = Window {s, double(end.toSecsSinceEpoch()), true};
    }
    return best ? QList<Window> {*best} : QList<Window> {};
}

NavigationalWarnings::NavigationalWarnings(ScraperEnvironment environment)
    : m_environment(std::move(environment))
{ }

std::optional<QList<Notice>> NavigationalWarnings::parse(const QByteArray &json, double now,
                                                         QString *problem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonValue list = document.object().value(QLatin1String("broadcast-warn"));
    if (error.error != QJsonParseError::NoError || !document.isObject() || !list.isArray()) {
        // A web page where the feed belongs is what a firewall answers a program with.
        if (problem)
            *problem = json.trimmed().startsWith('<')
                ? QStringLiteral("the server answered a web page, not the feed")
                : QStringLiteral("the feed could not be read");
        return std::nullopt;
    }

    struct Warning
    {
        qint64 year;
        qint64 number;
        Notice notice;
    };
    std::vector<Warning> warnings;
    const QJsonArray elements = list.toArray();
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
