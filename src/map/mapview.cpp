#include "mapview.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace map {

namespace {

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length = QPointF::dotProduct(ab, ab);
    const double t
        = length == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, ab) / length, 0.0, 1.0);
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// Even-odd rule: a ray to the right crosses the outline an odd number of times.
bool inside(const QList<QPointF> &polygon, const QPointF &p)
{
    bool in = false;
    for (qsizetype i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const QPointF &a = polygon[i];
        const QPointF &b = polygon[j];
        if ((a.y() > p.y()) != (b.y() > p.y())
            && p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x())
            in = !in;
    }
    return in;
}

} // namespace

View::View(QSizeF size)
    : m_size(size), m_centre {(south + north) / 2, (west + east) / 2},
      m_narrowing(std::cos(m_centre.latitude * std::numbers::pi / 180.0))
{
    const double width = (east - west) * m_narrowing;
    const double height = north - south;
    m_fitted = std::max(1e-9, std::min(size.width() / width, size.height() / height));
    m_scale = m_fitted;
}

void View::resize(QSizeF size)
{
    const View fitted(size);
    m_scale *= fitted.m_fitted / m_fitted;
    m_fitted = fitted.m_fitted;
    m_size = size;
}

QPointF View::toPicture(const GeoPoint &point) const
{
    return {m_size.width() / 2 + (point.longitude - m_centre.longitude) * m_narrowing * m_scale,
            m_size.height() / 2 - (point.latitude - m_centre.latitude) * m_scale};
}

GeoPoint View::toPlace(const QPointF &point) const
{
    return {m_centre.latitude - (point.y() - m_size.height() / 2) / m_scale,
            m_centre.longitude + (point.x() - m_size.width() / 2) / (m_narrowing * m_scale)};
}

void View::zoom(double factor, const QPointF &around)
{
    const GeoPoint fixed = toPlace(around);
    // About 50 metres across the picture at the nearest.
    const double nearest = std::max(m_size.width(), m_size.height()) / 0.00045;
    m_scale = std::clamp(m_scale * factor, m_fitted / 4, std::max(m_fitted, nearest));
    // Move the centre so that the fixed place is under `around` again.
    const QPointF moved = toPicture(fixed);
    pan(around - moved);
}

void View::pan(const QPointF &by)
{
    m_centre.latitude += by.y() / m_scale;
    m_centre.longitude -= by.x() / (m_narrowing * m_scale);
}

std::optional<qsizetype> featureAt(const QList<Feature> &features, const View &view,
                                   const QPointF &point, double reach)
{
    const auto picture = [&view](const QList<GeoPoint> &points) {
        QList<QPointF> result;
        for (const GeoPoint &p : points)
            result << view.toPicture(p);
        return result;
    };
    for (qsizetype i = features.size() - 1; i >= 0; --i) {
        const Area &area = features[i].area;
        for (const QList<GeoPoint> &polygon : area.polygons) {
            if (inside(picture(polygon), point))
                return i;
        }
        for (const QList<GeoPoint> &line : area.lines) {
            const QList<QPointF> points = picture(line);
            for (qsizetype j = 0; j + 1 < points.size(); ++j) {
                if (distanceToSegment(point, points[j], points[j + 1]) <= reach)
                    return i;
            }
        }
        for (const GeoPoint &p : area.points) {
            const QPointF at = view.toPicture(p);
            if (std::hypot(at.x() - point.x(), at.y() - point.y()) <= reach)
                return i;
        }
    }
    return std::nullopt;
}

} // namespace map
