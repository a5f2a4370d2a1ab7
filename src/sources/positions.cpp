#include "positions.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace positions {

namespace {

// Degrees of one coordinate: degrees, minutes with optional decimals, optional seconds.
double degreesOf(const QString &degrees, const QString &minutes, const QString &seconds,
                 QStringView hemisphere)
{
    const double value
        = degrees.toDouble() + minutes.toDouble() / 60.0 + seconds.toDouble() / 3600.0;
    return hemisphere == u"S" || hemisphere == u"W" ? -value : value;
}

} // namespace

double distance(const GeoPoint &a, const GeoPoint &b)
{
    constexpr double radians = std::numbers::pi / 180.0;
    const double dLatitude = (b.latitude - a.latitude) * radians;
    const double dLongitude = (b.longitude - a.longitude) * radians;
    const double h = std::pow(std::sin(dLatitude / 2), 2)
        + std::cos(a.latitude * radians) * std::cos(b.latitude * radians)
            * std::pow(std::sin(dLongitude / 2), 2);
    return 2 * earthRadiusNauticalMiles * std::asin(std::min(1.0, std::sqrt(h)));
}

QList<GeoPoint> circle(const GeoPoint &centre, double radius)
{
    constexpr double radians = std::numbers::pi / 180.0;
    const double angle = radius / earthRadiusNauticalMiles;
    const double latitude = centre.latitude * radians;
    QList<GeoPoint> points;
    for (int degrees = 0; degrees <= 360; degrees += 10) {
        const double bearing = degrees * radians;
        const double to = std::asin(std::sin(latitude) * std::cos(angle)
                                    + std::cos(latitude) * std::sin(angle) * std::cos(bearing));
        const double across = std::atan2(std::sin(bearing) * std::sin(angle) * std::cos(latitude),
                                         std::cos(angle) - std::sin(latitude) * std::sin(to));
        points << GeoPoint {to / radians, centre.longitude + across / radians};
    }
    points.last() = points.first();
    return points;
}

QList<GeoPoint> in(const QString &text)
{
    static const QRegularExpression position(QStringLiteral(
        "(?<![\\d.-])(?:"
        // degrees, minutes, seconds
        "(\\d{1,2})[- ](\\d{1,2}(?:\\.\\d+)?)(?:-(\\d{1,2}(?:\\.\\d+)?))?([NS])"
        "[,\\s]+(\\d{1,3})[- ](\\d{1,2}(?:\\.\\d+)?)(?:-(\\d{1,2}(?:\\.\\d+)?))?([EW])"
        "|"
        // decimal degrees
        "(\\d{1,2}\\.\\d+) ?°? ?([NS])[,\\s]+(\\d{1,3}\\.\\d+) ?°? ?([EW]))"
        "(?![\\w])"));
    QList<GeoPoint> points;
    for (auto match = position.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (m.capturedLength(9) > 0) {
            points << GeoPoint {degreesOf(m.captured(9), {}, {}, m.capturedView(10)),
                                degreesOf(m.captured(11), {}, {}, m.capturedView(12))};
        } else {
            points << GeoPoint {
                degreesOf(m.captured(1), m.captured(2), m.captured(3), m.capturedView(4)),
                degreesOf(m.captured(5), m.captured(6), m.captured(7), m.capturedView(8))};
        }
    }
    return points;
}

bool nearThePad(const QList<GeoPoint> &points)
{
    return std::any_of(points.begin(), points.end(), [](const GeoPoint &point) {
        return distance(point, pad) <= nearNauticalMiles;
    });
}

Area areaOf(const QList<GeoPoint> &points)
{
    Area area;
    if (points.size() >= 3)
        area.polygons << points;
    else
        area.points = points;
    return area;
}

} // namespace positions
