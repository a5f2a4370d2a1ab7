#pragma once

#include "map/mapscene.h"
#include "map/mapview.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;

// The map window: a choice of what to show (now, the next 24 hours, the next 7 days), zoom with
// the wheel, pan by dragging, a notice's text on hover and its page on a click.
class MapWindow final : public QWidget
{
public:
    MapWindow(map::Scene scene, std::function<void(const QUrl &)> open);

    // Shows another scene (the notices shown now), keeping the view.
    void setScene(map::Scene scene);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    map::Scene m_scene;
    QList<map::Feature> m_shown;
    std::function<void(const QUrl &)> m_open;
    map::View m_view;
    map::Span m_span = map::Span::week;
    QComboBox *m_spans;
    std::optional<QPointF> m_pressed; // where a drag began
    bool m_dragged = false;
};
