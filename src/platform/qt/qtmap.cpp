#include "qtmap.h"
#include "qtmapwindow.h"

#include <QBuffer>
#include <QComboBox>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QSvgGenerator>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace qtmap {

namespace {

QColor colourOf(map::Section section)
{
    switch (section) {
    case map::Section::launches:
        return QColor(0x7b, 0x3f, 0xbf);
    case map::Section::roads:
        return QColor(0xe0, 0x7a, 0x10);
    case map::Section::flights:
        return QColor(0xd0, 0x28, 0x28);
    case map::Section::maritime:
        return QColor(0x1f, 0x5f, 0xc0);
    }
    return Qt::black;
}

QPolygonF pictureOf(const QList<GeoPoint> &points, const map::View &view)
{
    QPolygonF polygon;
    for (const GeoPoint &point : points)
        polygon << view.toPicture(point);
    return polygon;
}

// Where a feature's label goes: the middle of its first shape.
QPointF anchorOf(const map::Feature &feature, const map::View &view)
{
    const Area &area = feature.area;
    const QList<GeoPoint> &shape = !area.polygons.isEmpty() ? area.polygons.first()
        : !area.lines.isEmpty()                             ? area.lines.first()
                                                            : area.points;
    if (shape.isEmpty())
        return {};
    if (!area.polygons.isEmpty())
        return pictureOf(shape, view).boundingRect().center();
    return view.toPicture(shape[shape.size() / 2]);
}

// Text with a light halo, readable over any colour.
void label(QPainter &painter, const QPointF &at, const QString &text, const QColor &colour)
{
    QPainterPath path;
    path.addText(at, painter.font(), text);
    painter.setPen(QPen(QColor(255, 255, 255, 220), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    // The text itself as text, which an SVG keeps searchable.
    painter.setPen(colour);
    painter.drawText(at, text);
}

} // namespace

void paint(QPainter &painter, const map::Scene &scene, const QList<map::Feature> &shown,
           const map::View &view, const QList<QRectF> &covered)
{
    const QRectF legend(6, 6, 210, 4 * 18 + 8);
    const QRectF frame(QPointF(0, 0), view.size());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(frame, QColor(0xdc, 0xea, 0xf4)); // the sea and the lagoons
    painter.setPen(QPen(QColor(0x55, 0x66, 0x55), 1.2));
    for (const QList<GeoPoint> &line : scene.coast)
        painter.drawPolyline(pictureOf(line, view));

    for (const map::Feature &feature : shown) {
        const QColor colour = colourOf(feature.section);
        QColor fill = colour;
        fill.setAlpha(60);
        painter.setPen(QPen(colour, 2));
        painter.setBrush(fill);
        for (const QList<GeoPoint> &polygon : feature.area.polygons)
            painter.drawPolygon(pictureOf(polygon, view));
        painter.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        for (const QList<GeoPoint> &line : feature.area.lines)
            painter.drawPolyline(pictureOf(line, view));
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(colour);
        for (const GeoPoint &point : feature.area.points)
            painter.drawEllipse(view.toPicture(point), 5, 5);
    }
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    // Each label beside its shape, inside the picture, moved down past the labels already placed
    // so that none hides another.
    const QPointF pad = view.toPicture(scene.pad);
    QList<QRectF> placed = covered;
    placed << legend
           << QRectF(pad + QPointF(9, 12 - metrics.ascent()),
                     QSizeF(metrics.horizontalAdvance(map::Texts::launchSite()), metrics.height()));
    for (const map::Feature &feature : shown) {
        const QSizeF size(metrics.horizontalAdvance(feature.label), metrics.height());
        const QPointF anchor = anchorOf(feature, view) + QPointF(8, -size.height());
        QRectF box(
            QPointF(std::clamp(anchor.x(), 4.0, std::max(4.0, frame.width() - size.width() - 4)),
                    std::clamp(anchor.y(), 4.0, std::max(4.0, frame.height() - size.height() - 4))),
            size);
        for (int tries = 0; tries < 40; ++tries) {
            const auto overlapping
                = std::find_if(placed.begin(), placed.end(),
                               [&box](const QRectF &r) { return r.intersects(box); });
            if (overlapping == placed.end())
                break;
            box.moveTop(overlapping->bottom() + 1);
        }
        placed << box;
        label(painter, QPointF(box.left(), box.top() + metrics.ascent()), feature.label,
              colourOf(feature.section).darker(130));
    }

    // The launch site: a black triangle.
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(Qt::black);
    painter.drawPolygon(
        QPolygonF {pad + QPointF(0, -8), pad + QPointF(7, 5), pad + QPointF(-7, 5)});
    label(painter, pad + QPointF(9, 12), map::Texts::launchSite(), Qt::black);

    // The legend, the state of the shapes, and a word when nothing is shown.
    double y = 14;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRoundedRect(legend, 4, 4);
    for (const map::Section section : {map::Section::launches, map::Section::flights,
                                       map::Section::roads, map::Section::maritime}) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colourOf(section));
        painter.drawRect(QRectF(12, y, 12, 12));
        label(painter, QPointF(30, y + 11), map::Texts::legendOf(section), Qt::black);
        y += 18;
    }
    double bottom = frame.height() - 10;
    for (const QString &problem : scene.problems) {
        label(painter, QPointF(10, bottom), QStringLiteral("⚠ ") + problem, QColor(0xb0, 0, 0));
        bottom -= metrics.height() + 2;
    }
    if (shown.isEmpty())
        label(painter, QPointF(10, bottom), map::Texts::nothingShown(), Qt::black);
}

QByteArray svgOf(const map::Scene &scene)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(1024, 768));
    generator.setViewBox(QRect(0, 0, 1024, 768));
    generator.setResolution(96);
    generator.setTitle(map::Texts::title());
    {
        QPainter painter(&generator);
        paint(painter, scene, scene.shown(map::Span::week), map::View(QSizeF(1024, 768)));
    }
    return buffer.data();
}

} // namespace qtmap

MapWindow::MapWindow(map::Scene scene, std::function<void(const QUrl &)> open)
    : m_scene(std::move(scene)), m_open(std::move(open)), m_view(QSizeF(900, 700)),
      m_spans(new QComboBox(this))
{
    setWindowTitle(map::Texts::title());
    setMouseTracking(true);
    setMinimumSize(400, 300);
    resize(900, 700);
    for (const map::Span span : {map::Span::now, map::Span::day, map::Span::week})
        m_spans->addItem(map::Texts::spanName(span), int(span));
    m_spans->setCurrentIndex(int(m_span));
    QObject::connect(m_spans, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_span = map::Span(m_spans->itemData(index).toInt());
        m_shown = m_scene.shown(m_span);
        update();
    });
    m_shown = m_scene.shown(m_span);
    // Escape or the desktop's close keys close it; the zoom keys zoom about its middle.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        QObject::connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    const auto zoomBy = [this](double factor) {
        m_view.zoom(factor, QPointF(width() / 2.0, height() / 2.0));
        update();
    };
    for (const QKeySequence &keys : QKeySequence::keyBindings(QKeySequence::ZoomIn))
        QObject::connect(new QShortcut(keys, this), &QShortcut::activated, this,
                         [zoomBy] { zoomBy(1.25); });
    for (const QKeySequence &keys : QKeySequence::keyBindings(QKeySequence::ZoomOut))
        QObject::connect(new QShortcut(keys, this), &QShortcut::activated, this,
                         [zoomBy] { zoomBy(0.8); });
}

void MapWindow::setScene(map::Scene scene)
{
    m_scene = std::move(scene);
    m_shown = m_scene.shown(m_span);
    update();
}

void MapWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qtmap::paint(painter, m_scene, m_shown, m_view, {QRectF(m_spans->geometry())});
}

void MapWindow::resizeEvent(QResizeEvent *)
{
    m_view.resize(QSizeF(size())); // the place and zoom the user chose stay
    m_spans->adjustSize();
    m_spans->move(width() - m_spans->width() - 8, 8);
}

void MapWindow::wheelEvent(QWheelEvent *event)
{
    m_view.zoom(std::pow(1.25, event->angleDelta().y() / 120.0), event->position());
    update();
}

void MapWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = event->position();
        m_dragged = false;
    }
}

void MapWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed) {
        const QPointF by = event->position() - *m_pressed;
        if (m_dragged || by.manhattanLength() > 4) {
            m_dragged = true;
            m_view.pan(by);
            m_pressed = event->position();
            update();
        }
        return;
    }
    const auto at = map::featureAt(m_shown, m_view, event->position());
    if (at)
        QToolTip::showText(event->globalPosition().toPoint(), map::hoverTextOf(m_shown[*at]), this);
    else
        QToolTip::hideText();
}

void MapWindow::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && !m_dragged;
    m_pressed.reset();
    if (!click || !m_open)
        return;
    if (const auto at = map::featureAt(m_shown, m_view, event->position()))
        m_open(m_shown[*at].notice.page);
}
