#pragma once

#include "map/mapscene.h"
#include "map/mapview.h"

#include <QByteArray>
#include <QList>
#include <QRectF>

class QPainter;

// The map drawn with QPainter: the sea, the shore, each notice's area in its section's colour
// with its label, the launch site, a legend, and why shapes are missing. No label is put over the
// legend or over what the caller covers (its controls).
namespace qtmap {

void paint(QPainter &painter, const map::Scene &scene, const QList<map::Feature> &shown,
           const map::View &view, const QList<QRectF> &covered = {});

// The scene's picture, 1024 x 768, as an SVG document: the notices of the next 7 days.
QByteArray svgOf(const map::Scene &scene);

} // namespace qtmap
