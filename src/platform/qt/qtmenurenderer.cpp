#include "qtmenurenderer.h"

#include "platform/menu.h"
#include "platform/rowview.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>
#include <QWidgetAction>

namespace {

// A widget row that acts like a menu entry: it highlights under the mouse and triggers its action
// when clicked.
class RowWidget final : public QWidget
{
public:
    RowWidget(QWidgetAction *action, bool enabled) : m_action(action)
    {
        setEnabled(enabled);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_hovered) {
            QPainter painter(this);
            painter.fillRect(rect(), palette().color(QPalette::Highlight));
        }
    }

    bool event(QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::Leave:
            m_hovered = event->type() == QEvent::Enter && isEnabled();
            for (QLabel *label : findChildren<QLabel *>())
                label->setForegroundRole(m_hovered ? QPalette::HighlightedText
                                                   : QPalette::WindowText);
            update();
            break;
        case QEvent::MouseButtonRelease:
            if (isEnabled() && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_action->trigger();
                for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
                    if (auto *menu = qobject_cast<QMenu *>(w))
                        menu->close();
                }
                return true;
            }
            break;
        default:
            break;
        }
        return QWidget::event(event);
    }

private:
    QWidgetAction *m_action;
    bool m_hovered = false;
};

QLabel *label(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setForegroundRole(QPalette::WindowText);
    return l;
}

QAction *makeAction(const MenuItem::Ptr &item, QMenu *menu)
{
    const bool enabled = item->isEnabled();
    QAction *action = nullptr;
    if (item->view() || item->attributes()) {
        auto *widgetAction = new QWidgetAction(menu);
        auto *row = new RowWidget(widgetAction, enabled);
        auto *layout = new QHBoxLayout(row);
        if (const auto &view = item->view()) {
            layout->setContentsMargins(view->leftInset(), 0, 8, 0);
            layout->setSpacing(0);
            // A text wider than its column is cut with an ellipsis, short of the next column.
            QLabel *left = label(QString(), row);
            left->setFixedWidth(view->leftWidth());
            left->setText(left->fontMetrics().elidedText(view->leftText(), Qt::ElideRight,
                                                         view->leftWidth() - 8));
            QLabel *right = label(view->rightText(), row);
            right->setFixedWidth(view->rightWidth() - 8);
            layout->addWidget(left);
            layout->addWidget(right);
            row->setFixedSize(view->width(), view->height());
        } else {
            // A section title: the menu font in the palette's secondary text colour.
            layout->setContentsMargins(30, 3, 8, 3);
            QLabel *title = label(item->title(), row);
            title->setFont(QApplication::font("QMenu"));
            QPalette palette = title->palette();
            palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
            title->setPalette(palette);
            layout->addWidget(title);
        }
        widgetAction->setDefaultWidget(row);
        action = widgetAction;
    } else {
        action = new QAction(menu);
    }
    action->setText(item->title());
    action->setEnabled(enabled);
    if (item->state() == MenuItem::On) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    // The entry's action may rebuild this very menu: run it once the QAction's signal is over.
    QObject::connect(action, &QAction::triggered, menu,
                     [item] { QTimer::singleShot(0, [item] { item->perform(); }); });
    return action;
}

} // namespace

QtMenuRenderer::QtMenuRenderer(Menu &model) : m_model(model), m_menu(std::make_unique<QMenu>())
{
    m_model.setObserver([this] { scheduleRebuild(); });
    QObject::connect(m_menu.get(), &QMenu::aboutToShow, &m_context, [this] {
        m_model.willOpen();
        if (m_dirty)
            rebuild();
    });
    QObject::connect(m_menu.get(), &QMenu::aboutToHide, &m_context, [this] { m_model.didClose(); });
    rebuild();
}

QtMenuRenderer::~QtMenuRenderer()
{
    m_model.setObserver(nullptr);
}

void QtMenuRenderer::scheduleRebuild()
{
    m_dirty = true;
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, &m_context, [this] {
        m_scheduled = false;
        if (m_dirty)
            rebuild();
    });
}

void QtMenuRenderer::rebuild()
{
    m_dirty = false;
    m_menu->clear(); // deletes the actions, which the menu owns
    for (const MenuItem::Ptr &item : m_model.items()) {
        if (item->isSeparator())
            m_menu->addSeparator();
        else
            m_menu->addAction(makeAction(item, m_menu.get()));
    }
}
