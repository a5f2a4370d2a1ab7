#pragma once

#include "map/mapscene.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace map {

// Where the map's places fall on a picture: an equirectangular projection around the middle of
// the view, its longitudes narrowed by the cosine of that latitude (true shapes at this scale),
// fitted to the picture's size. Zoomed and panned by the window.
class View final
{
public:
    // What the map first shows: the launch site, Boca Chica, Port Isabel and the south of South
    // Padre Island, -97.45 to -96.95 east, 25.85 to 26.15 north.
    static constexpr double west = -97.45, east = -96.95, south = 25.85, north = 26.15;

    // The box, fitted to `size` and centred.
    explicit View(QSizeF size);

    QPointF toPicture(const GeoPoint &point) const;
    GeoPoint toPlace(const QPointF &point) const;
    // Larger by `factor` (above 1: nearer), the place under `around` staying where it is; the
    // scale stays between a quarter of the box and about 50 metres across the picture.
    void zoom(double factor, const QPointF &around);
    // The places move by `by` on the picture.
    void pan(const QPointF &by);
    // A picture of another size: the same place in its middle, zoomed as far beyond the box
    // fitted to it as before.
    void resize(QSizeF size);
    const QSizeF &size() const { return m_size; }
    // Pixels per degree of latitude.
    double scale() const { return m_scale; }

private:
    QSizeF m_size;
    GeoPoint m_centre;
    double m_scale = 1;
    double m_narrowing = 1;
    double m_fitted = 1;
};

// The feature drawn at a point of the picture: inside one of its polygons, or within `reach`
// pixels of one of its lines or points; the last drawn (the topmost) of those that are. None when
// no feature is there.
std::optional<qsizetype> featureAt(const QList<Feature> &features, const View &view,
                                   const QPointF &point, double reach = 6);

} // namespace map
