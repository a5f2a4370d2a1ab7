#include "faaparser.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/logging.h"
#include "platform/runloop.h"
#include "sources/faa/zip.h"
#include "sources/scraperdelegate.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <algorithm>

FAAParser::FAAParser(ScraperEnvironment environment) : m_environment(std::move(environment)) { }

QString FAAParser::serverRoot() const
{
    return faaLink()
        .adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment
                  | QUrl::RemoveUserInfo)
        .toString();
}

QString FAAParser::listDirectory() const
{
    return serverRoot() + QStringLiteral("/tfr2/");
}

FAAParser::Results FAAParser::deliverToDelegate()
{
    // The pass keeps this as its completion and calls it itself: it holds its parser by `this`, as
    // a completion holding the parser that holds it would keep both for ever.
    return [this](QList<FAANotam> notams) {
        if (m_areasPending)
            m_waiting = std::move(notams);
        else
            deliver(notams);
    };
}

void FAAParser::deliver(const QList<FAANotam> &notams)
{
    // The menu shows the earliest first, the pass delivers the latest first. A restriction takes
    // its shape from the FAA's map where it has one there, else from its detail document.
    QList<Notice> notices;
    for (auto notam = notams.crbegin(); notam != notams.crend(); ++notam) {
        Notice notice = notam->notice(faaPage());
        if (const auto area = m_areas.find(notice.label); area != m_areas.end())
            notice.area = area->second;
        notices << notice;
    }
    finishRead(notices);
    if (m_delegate)
        m_delegate->noticesRead(Source::faa, std::move(notices));
    m_environment.answer(Source::faa, true);
}

void FAAParser::checkAreas()
{
    m_areasPending = true;
    m_environment.http.get(m_environment.addresses.faaAreas, HttpClient::Expect::json,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->m_environment.runLoop.post(
                                   [self, body, error] { self->areasArrived(body, error); });
                           });
}

void FAAParser::areasArrived(const std::optional<QByteArray> &body,
                             const std::optional<HttpError> &error)
{
    m_areasPending = false;
    std::optional<SourceProblem> problem = problemOf(body, error);
    std::optional<std::map<QString, Area>> areas;
    if (!problem) {
        QString reason;
        areas = parseAreas(*body, &reason);
        if (!areas)
            problem = SourceProblem {WebErrors::loadFailed, reason};
    }
    m_areas = areas.value_or(std::map<QString, Area>());
    if (problem)
        qCInfo(lcFaa).noquote() << QStringLiteral("The restrictions' areas were not read: ")
                + problem->reason;
    if (m_delegate)
        m_delegate->areasRead(Source::faa, problem ? std::optional(problem->reason) : std::nullopt);
    if (m_waiting)
        deliver(*std::exchange(m_waiting, std::nullopt));
}

std::optional<std::map<QString, Area>> FAAParser::parseAreas(const QByteArray &json,
                                                             QString *problem)
{
    QJsonParseError error;
    const QJsonObject document = QJsonDocument::fromJson(json, &error).object();
    const QJsonValue features = document.value(QLatin1String("features"));
    if (error.error != QJsonParseError::NoError
        || document.value(QLatin1String("type")).toString() != QLatin1String("FeatureCollection")
        || !features.isArray()) {
        if (problem)
            *problem = QStringLiteral("the areas could not be read");
        return std::nullopt;
    }
    // A ring of [longitude, latitude] pairs; none when a pair is no place on the earth.
    const auto ringOf = [](const QJsonArray &ring) -> std::optional<QList<GeoPoint>> {
        QList<GeoPoint> points;
        for (const QJsonValue &pair : ring) {
            const QJsonArray xy = pair.toArray();
            const GeoPoint point {xy.at(1).toDouble(1000), xy.at(0).toDouble(1000)};
            if (xy.size() < 2 || !point.isValid())
                return std::nullopt;
            points << point;
        }
        return points.size() >= 3 ? std::optional(points) : std::nullopt;
    };
    std::map<QString, Area> areas;
    for (const QJsonValue &value : features.toArray()) {
        const QJsonObject feature = value.toObject();
        const QString key = feature.value(QLatin1String("properties"))
                                .toObject()
                                .value(QLatin1String("NOTAM_KEY"))
                                .toString();
        const QString number = key.section(u'-', 0, 0).trimmed();
        const QJsonObject geometry = feature.value(QLatin1String("geometry")).toObject();
        const QString type = geometry.value(QLatin1String("type")).toString();
        const QJsonArray coordinates = geometry.value(QLatin1String("coordinates")).toArray();
        if (number.isEmpty())
            continue;
        // A Polygon's outer ring, or each of a MultiPolygon's.
        QList<QJsonArray> rings;
        if (type == QLatin1String("Polygon"))
            rings << coordinates.at(0).toArray();
        else if (type == QLatin1String("MultiPolygon"))
            for (const QJsonValue &polygon : coordinates)
                rings << polygon.toArray().at(0).toArray();
        for (const QJsonArray &ring : rings) {
            if (const auto points = ringOf(ring))
                areas[number].polygons << *points;
        }
    }
    return areas;
}

void FAAParser::checkFAA()
{
    m_environment.http.get(faaLink(), HttpClient::Expect::json,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->listArrived(body, error);
                           });
}

void FAAParser::listFailed(const SourceProblem &problem)
{
    if (m_delegate)
        m_delegate->error(problem.kind, Source::faa, problem.reason);
    m_environment.answer(Source::faa, false);
}

void FAAParser::listArrived(const std::optional<QByteArray> &body,
                            const std::optional<HttpError> &error)
{
    // No answer, or an error answer (an outage page, a proxy's 503): no list, the shown one stays.
    if (const std::optional<SourceProblem> problem = problemOf(body, error)) {
        listFailed(*problem);
        return;
    }
    const QString text = decodePage(*body);
    QString problem;
    if (text.trimmed().isEmpty())
        listFailed({WebErrors::loadFailed, QStringLiteral("the list was empty")});
    else if (!parseFAA(text, deliverToDelegate(), &problem))
        listFailed({WebErrors::loadFailed, problem});
}

void FAAParser::checkFAAUsingMirror()
{
    m_environment.http.get(m_environment.addresses.mirror, HttpClient::Expect::zip,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->mirrorArrived(body, error);
                           });
}

void FAAParser::mirrorArrived(const std::optional<QByteArray> &body,
                              const std::optional<HttpError> &error)
{
    // Whatever goes wrong with the mirror (no archive, no list in it), the live list is read
    // instead.
    const std::optional<QString> text = body && !error
        ? Zip::decompress(QStringLiteral("faa.html"), *body, m_environment.caches)
        : std::nullopt;
    if (!text || !parseFAA(*text, deliverToDelegate()))
        checkFAA();
}

bool FAAParser::isFeed(const QString &text)
{
    for (const QChar c : text) {
        if (!c.isSpace())
            return c == u'[' || c == u'{';
    }
    return false;
}

std::optional<QList<FAANotam>> FAAParser::parseList(const QString &text, QString *problem) const
{
    if (isFeed(text))
        return parseFeed(text, problem);
    std::optional<QList<FAANotam>> notams = parseNotices(listDirectory(), text);
    if (!notams && problem)
        *problem = QStringLiteral("the page held no list");
    return notams;
}

std::optional<FAANotam> FAAParser::notamOf(const QString &line, const QString &detailsSubPath) const
{
    FAANotam notam;
    notam.line = line;
    notam.windows = DateExtractor::windows(line, m_environment.clock, m_environment.placeZone);
    notam.dates = datesOf(notam.windows, m_environment.placeZone);
    notam.detailsSubPath = detailsSubPath;
    notam.id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    if (areOver(notam.windows, m_environment.clock.now()))
        return std::nullopt; // ended more than a day ago
    return notam;
}

std::optional<QList<FAANotam>> FAAParser::parseFeed(const QString &json, QString *problem) const
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        if (problem)
            *problem = QStringLiteral("the feed could not be read");
        return std::nullopt;
    }
    // Detail documents lie on the list's server: /download/detail_6_2998.xml for "6/2998".
    const QString details = serverRoot() + QStringLiteral("/download/detail_");
    QList<FAANotam> notams;
    const QJsonArray rows = document.array();
    qsizetype recognised = 0;
    for (const QJsonValue &element : rows) {
        const QJsonObject row = element.toObject();
        const std::optional<QString> id = jsonText(row.value(QLatin1String("notam_id")));
        const std::optional<QString> type = jsonText(row.value(QLatin1String("type")));
        const std::optional<QString> description
            = jsonText(row.value(QLatin1String("description")));
        if (!id || !type || !description) {
            qCDebug(lcFaa) << "a feed entry without its number, type or description is passed over";
            continue;
        }
        ++recognised;
        if (*type != QLatin1String("SPACE OPERATIONS")
            || !description->toLower().contains(u"brownsville"))
            continue;
        const QString path = QString(*id).replace(u'/', u'_');
        if (std::optional<FAANotam> notam
            = notamOf(*description, details + path + QStringLiteral(".xml")))
            notams.append(std::move(*notam));
    }
    // Entries none of which is a restriction: an error answered in the feed's shape, or renamed
    // fields. Either is no quiet day.
    if (!rows.isEmpty() && recognised == 0) {
        if (problem)
            *problem = QStringLiteral("the feed's entries were not recognised");
        return std::nullopt;
    }
    return notams;
}

std::optional<QList<FAANotam>> FAAParser::parseNotices(const QString &rootPath,
                                                       const QString &html) const
{
    // A list page names its type column's "SPACE OPERATIONS" or links detail pages; a page with
    // neither (an outage notice, a login page) is no list at all.
    if (!html.contains(QLatin1String("SPACE OPERATIONS"))
        && !html.contains(QLatin1String("detail_"), Qt::CaseInsensitive))
        return std::nullopt;
    // The three working lines after a "SPACE OPERATIONS" line are candidates.
    QList<QStringView> brownsville;
    int window = 0;
    for (const QStringView rawLine : QStringView(html).split(u'\n')) {
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (line.contains(u"SPACE OPERATIONS")) {
            window = 3;
            continue;
        }
        if (window == 0)
            continue;
        --window;
        if (line.toString().toLower().contains(u"brownsville"))
            brownsville.append(line);
    }

    // Link paths and texts are gathered apart and paired by position.
    QStringList links;
    QStringList texts;
    for (const QStringView line : brownsville) {
        const qsizetype open = line.indexOf(u'"');
        if (open >= 0) {
            const qsizetype close = line.indexOf(u'"', open + 1);
            if (close >= 0)
                links.append(line.mid(open + 1, close - open - 1).toString());
        }
        const qsizetype gt = line.indexOf(u'>');
        if (gt >= 0)
            texts.append(line.mid(gt + 1).toString());
    }

    QList<FAANotam> notams;
    const qsizetype pairs = std::min(links.size(), texts.size());
    for (qsizetype i = 0; i < pairs; ++i) {
        if (std::optional<FAANotam> notam = notamOf(texts[i], rootPath + links[i]))
            notams.append(std::move(*notam));
    }
    return notams;
}

bool FAAParser::parseFAA(const QString &text, Results results, QString *problem)
{
    std::optional<QList<FAANotam>> parsed = parseList(text, problem);
    if (!parsed)
        return false;
    m_environment.runLoop.post(
        [self = shared_from_this(), notams = std::move(*parsed), results = std::move(results)] {
            QList<FAANotam> ordered = FAANotam::displaySort(notams);
            std::reverse(ordered.begin(), ordered.end());
            self->checkFAADetails(ordered, results);
        });
    return true;
}

void FAAParser::checkFAADetails(const QList<FAANotam> &allTheDetails, Results results)
{
    ++m_pass;
    m_faaItemsBeingUpdated = allTheDetails;
    m_faaItemsRemainingToBeUpdated = m_faaItemsBeingUpdated.size();
    m_completion = std::move(results);
    for (const FAANotam &notam : allTheDetails)
        checkFAADetails(notam);
    // A pass without notices delivers its empty list, so that ended restrictions leave the menu.
    if (allTheDetails.isEmpty())
        faaAllDone();
}

void FAAParser::checkFAADetails(const FAANotam &details)
{
    const QUrl url(details.detailsSubPath, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
        // No fetch to wait for: the notice is finished at once, without details.
        --m_faaItemsRemainingToBeUpdated;
        faaAllDone();
        return;
    }
    const quint64 pass = m_pass;
    // Feed rows have XML documents, the old list's rows HTML pages.
    const HttpClient::Expect expect = url.path().endsWith(QLatin1String(".xml"))
        ? HttpClient::Expect::xml
        : HttpClient::Expect::html;
    m_environment.http.get(
        url, expect,
        [self = shared_from_this(), pass, details](std::optional<QByteArray> body,
                                                   std::optional<HttpError> error) {
            self->m_environment.runLoop.post(
                [self, pass, details, body = std::move(body), error = std::move(error)] {
                    self->detailArrived(pass, details, body, error);
                });
        });
}

void FAAParser::detailArrived(quint64 pass, const FAANotam &notam,
                              const std::optional<QByteArray> &body,
                              const std::optional<HttpError> &error)
{
    if (pass != m_pass)
        return; // a pass that a newer one replaced
    --m_faaItemsRemainingToBeUpdated;
    const std::optional<QString> text = !error && body ? decodeUtf8(*body) : std::nullopt;
    std::optional<ParseResults> result
        = text && !text->isEmpty() ? FAADetail::parse(*text) : std::nullopt;
    const auto item = std::find_if(m_faaItemsBeingUpdated.begin(), m_faaItemsBeingUpdated.end(),
                                   [&notam](const FAANotam &n) { return n.id == notam.id; });
    if (result && item != m_faaItemsBeingUpdated.end()) {
        if (m_environment.diagnostic)
            m_environment.diagnostic(QStringLiteral("FAA detail %1: %2")
                                         .arg(notam.detailsSubPath, result->altitudeLine));
        item->details = std::move(result);
    }
    faaAllDone();
}

void FAAParser::faaAllDone()
{
    if (m_faaItemsRemainingToBeUpdated != 0 || !m_completion)
        return;
    QList<FAANotam> ordered = FAANotam::displaySort(m_faaItemsBeingUpdated);
    std::reverse(ordered.begin(), ordered.end());
    m_completion(ordered);
}
