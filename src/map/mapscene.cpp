#include "mapscene.h"

#include "menu/menusection.h"
#include "menu/noticerows.h"
#include "sources/positions.h"
#include "sources/weberrors.h"
#include "text/dateformathelper.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <algorithm>

namespace map {

namespace {

// The lines of a bundled file: each after a ">" line (its name after the ">"), longitude and
// latitude on each line, comments after "#".
std::map<QString, QList<QList<GeoPoint>>> linesOf(const QString &path)
{
    std::map<QString, QList<QList<GeoPoint>>> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QList<GeoPoint> *line = nullptr;
    while (!file.atEnd()) {
        const QString text = QString::fromUtf8(file.readLine()).trimmed();
        if (text.startsWith(u'#') || text.isEmpty())
            continue;
        if (text.startsWith(u'>')) {
            QList<QList<GeoPoint>> &named = lines[text.mid(1).trimmed()];
            named.append(QList<GeoPoint>());
            line = &named.last();
            continue;
        }
        const QStringList xy = text.split(u' ', Qt::SkipEmptyParts);
        if (line && xy.size() == 2)
            *line << GeoPoint {xy[1].toDouble(), xy[0].toDouble()};
    }
    return lines;
}

const std::map<QString, QList<QList<GeoPoint>>> &roads()
{
    static const auto lines = linesOf(QStringLiteral(":/map/roads-brownsville.txt"));
    return lines;
}

// A ring closed, counter-clockwise as RFC 7946 asks of exteriors, as [longitude, latitude] pairs.
QJsonArray ringOf(QList<GeoPoint> points)
{
    if (points.first() != points.last())
        points << points.first();
    double area = 0; // twice the signed area, positive counter-clockwise
    for (qsizetype i = 0; i + 1 < points.size(); ++i)
        area += points[i].longitude * points[i + 1].latitude
            - points[i + 1].longitude * points[i].latitude;
    if (area < 0)
        std::reverse(points.begin(), points.end());
    QJsonArray ring;
    for (const GeoPoint &point : points)
        ring << QJsonArray {point.longitude, point.latitude};
    return ring;
}

QJsonArray lineOf(const QList<GeoPoint> &points)
{
    QJsonArray line;
    for (const GeoPoint &point : points)
        line << QJsonArray {point.longitude, point.latitude};
    return line;
}

// One geometry of each kind the area has, as one geometry or a collection of them.
QJsonObject geometryOf(const Area &area)
{
    QJsonArray geometries;
    const auto add = [&geometries](const char *one, const char *many, const QJsonArray &parts) {
        if (parts.size() == 1)
            geometries << QJsonObject {{"type", one}, {"coordinates", parts[0]}};
        else if (parts.size() > 1)
            geometries << QJsonObject {{"type", many}, {"coordinates", parts}};
    };
    QJsonArray polygons;
    for (const QList<GeoPoint> &polygon : area.polygons) {
        // A polygon is an array of rings: built by appending, as list-initialising an array from
        // one array copies it with some compilers and nests it with others.
        QJsonArray rings;
        rings.append(ringOf(polygon));
        polygons.append(rings);
    }
    add("Polygon", "MultiPolygon", polygons);
    QJsonArray lines;
    for (const QList<GeoPoint> &line : area.lines)
        lines << lineOf(line);
    add("LineString", "MultiLineString", lines);
    QJsonArray points;
    for (const GeoPoint &point : area.points)
        points << QJsonArray {point.longitude, point.latitude};
    add("Point", "MultiPoint", points);
    if (geometries.size() == 1)
        return geometries[0].toObject();
    return QJsonObject {{"type", "GeometryCollection"}, {"geometries", geometries}};
}

} // namespace

Section sectionOf(Source source)
{
    switch (source) {
    case Source::launches:
        return Section::launches;
    case Source::county:
    case Source::starbase:
        return Section::roads;
    case Source::faa:
        return Section::flights;
    case Source::bulletin:
    case Source::navwarn:
        break;
    }
    return Section::maritime;
}

QString keyOf(Section section)
{
    static const char *const keys[] = {"launches", "roads", "flights", "maritime"};
    return QString::fromLatin1(keys[int(section)]);
}

Area closedStretchOf(const Notice &notice)
{
    Area area;
    if (notice.source != Source::county && notice.source != Source::starbase)
        return area;
    const auto stretch = [](const char *name) {
        const auto it = roads().find(QLatin1String(name));
        return it == roads().end() ? QList<QList<GeoPoint>>() : it->second;
    };
    area.lines += stretch("sh4");
    if (notice.source == Source::county || notice.label.startsWith(QLatin1String("Beach")))
        area.lines += stretch("beach");
    return area;
}

Area placeOf(const Notice &notice)
{
    return notice.area.isEmpty() ? closedStretchOf(notice) : notice.area;
}

QList<Feature> Scene::shown(Span span) const
{
    const double ahead = span == Span::now ? 0 : span == Span::day ? 86400.0 : 7 * 86400.0;
    QList<Feature> result;
    for (const Feature &feature : features) {
        const QList<Window> &windows = feature.notice.windows;
        if (windows.isEmpty() || std::any_of(windows.begin(), windows.end(), [&](const Window &w) {
                return w.start <= now + ahead && w.last() >= now;
            }))
            result << feature;
    }
    return result;
}

Scene sceneOf(const QList<Notice> &notices, const NoticeRows &rows,
              const std::map<Source, QString> &areaProblems, double now)
{
    static const QList<QList<GeoPoint>> coast
        = linesOf(QStringLiteral(":/map/coast-brownsville.txt"))[QString()];
    Scene scene {coast, positions::pad, {}, {}, now};
    for (const Notice &notice : notices) {
        if (notice.status == Notice::Status::canceled)
            continue;
        const Area area = placeOf(notice);
        if (area.isEmpty())
            continue;
        // When it comes: now while a window holds the present, else the next window's start.
        QString when = notice.launch ? NoticeRows::launchTimeOf(notice, false) : QString();
        for (const Window &window : notice.launch ? QList<Window>() : notice.windows) {
            if (window.last() < now)
                continue;
            when = window.start <= now ? Texts::now()
                : window.hasTime       ? DateFormatHelper::formatSkeleton(window.start, "MMMdjmm")
                                 : DateFormatHelper::formatSkeleton(window.firstDay(), "MMMd");
            break;
        }
        // A closure's time says its day.
        const QString name = rows.shortNameOf(notice, when.isEmpty());
        scene.features << Feature {notice, area, sectionOf(notice.source),
                                   when.isEmpty() ? name : name + QStringLiteral(" · ") + when};
    }
    for (const auto &[source, problem] : areaProblems)
        scene.problems << Texts::areasNotRead(source, problem);
    return scene;
}

QByteArray geoJsonOf(const Scene &scene, const NoticeRows &rows)
{
    QJsonArray features;
    for (const Feature &feature : scene.features) {
        const Notice &notice = feature.notice;
        const std::optional<Window> first
            = notice.windows.isEmpty() ? std::nullopt : std::optional(notice.windows.first());
        const QJsonValue start = first ? QJsonValue(isoOf(first->start)) : QJsonValue();
        const QJsonValue end = first && first->end ? QJsonValue(isoOf(*first->end)) : QJsonValue();
        features << QJsonObject {
            {"type", "Feature"},
            {"geometry", geometryOf(feature.area)},
            {"properties",
             QJsonObject {{"key", notice.key},
                          {"source", QString(::keyOf(notice.source))},
                          {"section", keyOf(feature.section)},
                          {"title", rows.titleOf(notice).simplified()},
                          {"start", start},
                          {"end", end},
                          {"status", QString::fromLatin1(Notice::statusKeyOf(notice.status))}}}};
    }
    features << QJsonObject {
        {"type", "Feature"},
        {"geometry",
         QJsonObject {{"type", "Point"},
                      {"coordinates", QJsonArray {scene.pad.longitude, scene.pad.latitude}}}},
        {"properties", QJsonObject {{"key", "pad"}, {"title", Texts::launchSite()}}}};
    return QJsonDocument(QJsonObject {{"type", "FeatureCollection"}, {"features", features}})
        .toJson(QJsonDocument::Compact);
}

QString hoverTextOf(const Feature &feature)
{
    constexpr qsizetype longest = 300, width = 80;
    QString text = feature.notice.launch ? QString() : feature.notice.text;
    if (text.size() > longest)
        text = text.left(longest - 1) + QStringLiteral("…");
    QStringList lines {feature.label};
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(QLatin1Char('\n'));
}

QString Texts::title()
{
    return tr("Plumetrack Map");
}

QString Texts::legendOf(Section section)
{
    switch (section) {
    case Section::launches:
        return tr("Launches");
    case Section::roads:
        return tr("Road and beach closures");
    case Section::flights:
        return tr("Flight restrictions");
    case Section::maritime:
        return tr("Maritime notices");
    }
    return {};
}

QString Texts::launchSite()
{
    return tr("Launch site");
}

QString Texts::spanName(Span span)
{
    switch (span) {
    case Span::now:
        return tr("Now");
    case Span::day:
        return tr("Next 24 hours");
    case Span::week:
        return tr("Next 7 days");
    }
    return {};
}

QString Texts::nothingShown()
{
    return tr("No notice with a place in this time");
}

QString Texts::now()
{
    return tr("now");
}

QString Texts::areasNotRead(Source source, const QString &reason)
{
    return tr("%1 areas not read: %2").arg(MenuSection::nameOf(source), reasonForPeople(reason));
}

} // namespace map
