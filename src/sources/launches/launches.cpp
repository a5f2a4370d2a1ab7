#include "launches.h"

#include "platform/caches.h"
#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/logging.h"
#include "sources/scraperdelegate.h"
#include "text/stringutils.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QString cacheName = QStringLiteral("launches.json");

std::optional<double> instantOf(const QJsonValue &value)
{
    const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    if (!time.isValid())
        return std::nullopt;
    return double(time.toMSecsSinceEpoch()) / 1000.0;
}

// How precisely the time is known, from the schedule's words ("Minute", "Hour", "Day", "Month",
// "Quarter 1", "Year"...); to the second when it says nothing.
LaunchTime::Precision precisionOf(const QJsonObject &precision)
{
    const QString name = precision.value(QLatin1String("name")).toString().toLower();
    const auto says = [&name](std::initializer_list<const char *> words) {
        return std::any_of(words.begin(), words.end(), [&name](const char *word) {
            return name.contains(QLatin1String(word));
        });
    };
    if (says({"hour"}))
        return LaunchTime::Precision::hour;
    if (says({"day", "morning", "afternoon", "week"}))
        return LaunchTime::Precision::day;
    if (says({"month"}))
        return LaunchTime::Precision::month;
    if (says({"quarter", "half", "year"}))
        return LaunchTime::Precision::year;
    return LaunchTime::Precision::minute;
}

std::optional<double> coordinateOf(const QJsonValue &value)
{
    if (value.isDouble())
        return value.toDouble();
    bool number = false;
    const double coordinate = value.toString().toDouble(&number);
    return number ? std::optional(coordinate) : std::nullopt;
}

} // namespace

Launches::Launches(ScraperEnvironment environment) : m_environment(std::move(environment))
{
    readCache();
}

std::optional<QList<Notice>> Launches::parse(const QByteArray &json, double now, QString *problem)
{
    const std::optional<QJsonArray> results = feedListOf(json, QLatin1String("results"), problem);
    if (!results)
        return std::nullopt;
    const QJsonArray &entries = *results;
    std::vector<std::pair<double, Notice>> found; // by time
    qsizetype recognised = 0;
    for (const QJsonValue &value : entries) {
        const QJsonObject entry = value.toObject();
        const std::optional<QString> id = jsonText(entry.value(QLatin1String("id")));
        const QString name = entry.value(QLatin1String("name")).toString().trimmed();
        const std::optional<double> net = instantOf(entry.value(QLatin1String("net")));
        if (!id || id->isEmpty() || name.isEmpty() || !net) {
            qCDebug(lcLaunches) << "a launch without its id, name or time is passed over";
            continue;
        }
        ++recognised;
        LaunchTime time {*id, *net,
                         precisionOf(entry.value(QLatin1String("net_precision")).toObject()),
                         instantOf(entry.value(QLatin1String("window_start"))),
                         instantOf(entry.value(QLatin1String("window_end")))};
        // The span it may fly in: its window when the schedule gives one, else its time and two
        // hours either side.
        const bool window
            = time.windowStart && time.windowEnd && *time.windowEnd >= *time.windowStart;
        Notice launch;
        launch.source = Source::launches;
        launch.key = QStringLiteral("launch-") + *id;
        launch.label = name;
        launch.text = entry.value(QLatin1String("net")).toString();
        const QJsonObject status = entry.value(QLatin1String("status")).toObject();
        launch.statusText = status.value(QLatin1String("abbrev")).toString();
        launch.windows = {window ? Window {*time.windowStart, *time.windowEnd, true}
                                 : Window {*net - margin, *net + margin, true}};
        const QUrl page(entry.value(QLatin1String("url")).toString());
        if (page.isValid()
            && (page.scheme() == QLatin1String("https") || page.scheme() == QLatin1String("http")))
            launch.page = page;
        const QJsonObject pad = entry.value(QLatin1String("pad")).toObject();
        const auto latitude = coordinateOf(pad.value(QLatin1String("latitude")));
        const auto longitude = coordinateOf(pad.value(QLatin1String("longitude")));
        if (latitude && longitude && GeoPoint {*latitude, *longitude}.isValid())
            launch.area.points << GeoPoint {*latitude, *longitude};
        launch.launch = time;
        if (launch.windows.front().last() >= now && *net <= now + horizon)
            found.emplace_back(*net, std::move(launch));
    }
    if (!entries.isEmpty() && recognised == 0) {
        if (problem)
            *problem = QStringLiteral("the feed's entries were not recognised");
        return std::nullopt;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<Notice> launches;
    for (auto &[net, launch] : found) {
        if (launches.size() < mostShown)
            launches << std::move(launch);
    }
    finishRead(launches);
    return launches;
}

void Launches::check()
{
    const double now = m_environment.clock.now();
    std::unique_lock lock(m_mutex);
    if (m_downloading)
        return; // the download under way reports
    if (now < m_quietUntil || (m_lastRequest && now - *m_lastRequest < spacing)) {
        const auto answer = m_answer;
        const auto problem = m_problem;
        lock.unlock();
        if (problem || !answer)
            report({},
                   problem.value_or(
                       SourceProblem {WebErrors::notReached, QStringLiteral("not read yet")}));
        else
            report(parse(*answer, now), std::nullopt);
        return;
    }
    m_lastRequest = now;
    m_downloading = true;
    lock.unlock();
    m_environment.http.get(link(), HttpClient::Expect::json,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->downloaded(body, error);
                           });
}

void Launches::downloaded(const std::optional<QByteArray> &body,
                          const std::optional<HttpError> &error)
{
    const double now = m_environment.clock.now();
    std::optional<SourceProblem> problem = problemOf(body, error);
    std::optional<QList<Notice>> launches;
    if (!problem) {
        QString reason;
        launches = parse(*body, now, &reason);
        if (!launches)
            problem = SourceProblem {WebErrors::loadFailed, reason};
    }
    {
        std::lock_guard lock(m_mutex);
        m_downloading = false;
        // At most a day: a date far ahead is a server's mistake, not a reason to stop for good.
        if (error && error->retryAfter)
            m_quietUntil = now + std::min(*error->retryAfter, 86400.0);
        m_problem = problem;
        if (!problem)
            m_answer = body;
    }
    if (!problem)
        writeCache(*body, now);
    report(std::move(launches), problem);
}

void Launches::report(std::optional<QList<Notice>> launches,
                      const std::optional<SourceProblem> &problem)
{
    if (!launches) {
        const SourceProblem failure = problem.value_or(
            SourceProblem {WebErrors::loadFailed, QStringLiteral("the feed could not be read")});
        if (m_delegate)
            m_delegate->error(failure.kind, Source::launches, failure.reason);
        m_environment.answer(Source::launches, false);
        return;
    }
    for (Notice &launch : *launches) {
        if (launch.page.isEmpty())
            launch.page = link();
    }
    if (m_delegate)
        m_delegate->noticesRead(Source::launches, std::move(*launches));
    m_environment.answer(Source::launches, true);
}

void Launches::readCache()
{
    const std::optional<QString> folder = m_environment.caches.directory();
    if (!folder)
        return;
    QFile file(QDir(*folder).filePath(cacheName));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject cached = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonValue time = cached.value(QLatin1String("time"));
    const QJsonObject answer = cached.value(QLatin1String("answer")).toObject();
    if (!time.isDouble() || answer.isEmpty())
        return;
    // A time ahead of the clock (a clock set back) counts as now.
    const double read = std::min(time.toDouble(), m_environment.clock.now());
    m_answer = QJsonDocument(answer).toJson(QJsonDocument::Compact);
    m_lastRequest = read;
}

void Launches::writeCache(const QByteArray &answer, double time) const
{
    const std::optional<QString> folder = m_environment.caches.directory();
    if (!folder)
        return;
    const QJsonObject cached {{QStringLiteral("time"), time},
                              {QStringLiteral("answer"), QJsonDocument::fromJson(answer).object()}};
    QSaveFile file(QDir(*folder).filePath(cacheName));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(QJsonDocument(cached).toJson(QJsonDocument::Compact)) < 0 || !file.commit())
        qCWarning(lcLaunches).noquote()
            << QStringLiteral("The launch schedule could not be kept in %1: %2")
                   .arg(file.fileName(), file.errorString());
}
