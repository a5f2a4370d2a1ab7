#pragma once

#include "notices/notice.h"

#include <QList>
#include <QString>

// The launch site at Boca Chica, and the positions that notices to mariners write.
namespace positions {

inline constexpr GeoPoint pad {25.9967, -97.1544};
// How near the pad a position of a launch notice lies.
inline constexpr double nearNauticalMiles = 30.0;
inline constexpr double earthRadiusNauticalMiles = 3440.065;

// Great-circle distance in nautical miles.
double distance(const GeoPoint &a, const GeoPoint &b);

// The positions written in a text, in order: degrees and minutes with hyphens or blanks and
// optional seconds ("25-57.00N 097-12.00W", "25-59-49N 097-09-22W", "25 59.0N 097 09.0W"), or
// decimal degrees ("25.9967N 097.1544W").
QList<GeoPoint> in(const QString &text);

// Some position of the text lies within 30 nautical miles of the pad.
bool nearThePad(const QList<GeoPoint> &points);

// The points of a circle around `centre`, `radius` nautical miles, every 10 degrees of bearing
// from north, the first repeated at the end.
QList<GeoPoint> circle(const GeoPoint &centre, double radius);

// The area that positions bound: three or more are a polygon in the order written, one or two are
// points.
Area areaOf(const QList<GeoPoint> &points);

} // namespace positions
