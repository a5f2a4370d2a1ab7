#pragma once

#include "notices/notice.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <map>
#include <optional>

class NoticeRows;

// What the map shows: the coast around Brownsville, the launch site, and each notice that has a
// place, coloured by the section it belongs to. Plain data, made from the notices shown; the map
// window and the SVG picture paint it, `--once --format geojson` writes it.
namespace map {

enum class Section { launches, roads, flights, maritime };
Section sectionOf(Source source);
// "launches", "roads", "flights", "maritime".
QString keyOf(Section section);

// What the map shows of the notices' time.
enum class Span { now, day, week };

// A notice where it is drawn.
struct Feature
{
    Notice notice;
    Area area;
    Section section = Section::roads;
    // "TFR 6/2998 · Dec 8, 7:00 AM": its short name and when its next window starts (or "now").
    QString label;
};

struct Scene
{
    QList<QList<GeoPoint>> coast;
    GeoPoint pad;
    QList<Feature> features;
    // Why a source's shapes are missing ("FAA areas not read: …"), in the user's language.
    QStringList problems;
    double now = 0;

    // The features whose windows meet the span from now: in force now, or within the next 24
    // hours or 7 days; a feature without windows always.
    QList<Feature> shown(Span span) const;
};

// The stretch of road or beach a closure closes: State Highway 4 for every closure, and the
// beach too for the county's closures and the city's beach closures.
Area closedStretchOf(const Notice &notice);
// Where a notice is drawn: its own area, else the stretch it closes; empty when it has neither.
Area placeOf(const Notice &notice);

// The scene of the notices, as of `now`; `areaProblems` names the sources whose shapes could not
// be read, and why (in English, as the sources give it).
Scene sceneOf(const QList<Notice> &notices, const NoticeRows &rows,
              const std::map<Source, QString> &areaProblems, double now);

// The scene as an RFC 7946 FeatureCollection: a Feature per notice with a place (Polygon or
// MultiPolygon, LineString or MultiLineString, Point or MultiPoint, or a GeometryCollection of
// those; rings closed, exteriors counter-clockwise) with the properties key, source, section,
// title, start and end (its first window, UTC ISO 8601; null without), status; then the launch
// site as a Point with the key "pad".
QByteArray geoJsonOf(const Scene &scene, const NoticeRows &rows);

// What hovering a feature shows: its label, then its notice's text (a launch's label says it
// all) in lines of at most about 80 characters, cut at 300 characters with "…".
QString hoverTextOf(const Feature &feature);

// The texts of the map window and picture, in the user's language.
class Texts final
{
    Q_DECLARE_TR_FUNCTIONS(MapTexts)

public:
    static QString title();
    static QString legendOf(Section section);
    static QString launchSite();
    static QString spanName(Span span);
    static QString nothingShown();
    static QString now();
    // "FAA areas not read: the server answered 503".
    static QString areasNotRead(Source source, const QString &reason);
};

} // namespace map
