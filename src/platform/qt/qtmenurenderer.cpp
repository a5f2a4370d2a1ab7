#include "qtmenurenderer.h"

#include "platform/menu.h"
#include "platform/rowview.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWidgetAction>

#include <unicode/uchar.h>

#include <algorithm>
#include <cmath>

namespace {

// The room between a row's columns, and after the last.
constexpr int gap = 8;

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

QLabel *label(QWidget *parent, const QFont &font)
{
    auto *l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setFont(font);
    l->setForegroundRole(QPalette::WindowText);
    return l;
}

// A text as a label shows it with rich text: escaped, and every emoji in the colour emoji font,
// so that "✈️" looks like "🚗" whatever text glyph the menu font has for it.
QString withColourEmoji(const QString &text)
{
    QString html;
    const QList<uint> codes = text.toUcs4();
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const UChar32 c = UChar32(codes[i]);
        // Digits, "#" and "*" are emoji only in keycap sequences, which titles do not hold.
        const bool emoji = c > 0xFF && u_hasBinaryProperty(c, UCHAR_EMOJI);
        QString character = QString::fromUcs4(reinterpret_cast<const char32_t *>(&codes[i]), 1);
        if (emoji && i + 1 < codes.size() && codes[i + 1] == 0xFE0F) {
            character += QChar(0xFE0F);
            ++i;
        }
        html += emoji ? QStringLiteral("<span style=\"font-family: 'Noto Color Emoji'\">%1</span>")
                            .arg(character.toHtmlEscaped())
                      : character.toHtmlEscaped();
    }
    return html;
}

// Qt reads "&" in an action's text as the mark of a mnemonic; a title is text, never markup.
QString actionText(const QString &title)
{
    return QString(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
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

QtMenuRenderer::Kind QtMenuRenderer::kindOf(const MenuItem &item)
{
    if (item.isSeparator())
        return Kind::Separator;
    if (item.submenu())
        return Kind::Submenu;
    if (item.view())
        return Kind::Row;
    return item.attributes() ? Kind::Title : Kind::Plain;
}

QtMenuRenderer::Slot QtMenuRenderer::makeSlot(Kind kind)
{
    Slot slot;
    slot.kind = kind;
    QMenu *menu = m_menu.get();
    if (kind == Kind::Row || kind == Kind::Title) {
        auto *widgetAction = new QWidgetAction(menu);
        auto *row = new RowWidget(widgetAction, true);
        auto *layout = new QHBoxLayout(row);
        if (kind == Kind::Row) {
            layout->setContentsMargins(RowView::minimumLeftInset, 0, gap, 0);
            layout->setSpacing(0);
            slot.left = label(row, menu->font());
            slot.right = label(row, menu->font());
            layout->addWidget(slot.left);
            layout->addWidget(slot.right);
        } else {
            // A section title: the menu font in the palette's secondary text colour.
            layout->setContentsMargins(RowView::minimumLeftInset, 3, gap, 3);
            slot.left = label(row, QApplication::font("QMenu"));
            slot.left->setTextFormat(Qt::RichText);
            QPalette palette = slot.left->palette();
            palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
            slot.left->setPalette(palette);
            layout->addWidget(slot.left);
        }
        widgetAction->setDefaultWidget(row);
        slot.row = row;
        slot.action = widgetAction;
    } else {
        slot.action = new QAction(menu);
        slot.action->setSeparator(kind == Kind::Separator);
    }
    QAction *action = slot.action;
    QObject::connect(action, &QAction::triggered, menu, [this, action] { perform(action); });
    return slot;
}

void QtMenuRenderer::perform(QAction *action)
{
    for (const Slot &slot : m_slots) {
        if (slot.action != action)
            continue;
        // The entry's action may change this very menu: run it once the QAction's signal is over.
        QTimer::singleShot(0, [item = slot.item] { item->perform(); });
        return;
    }
}

void QtMenuRenderer::measureColumns()
{
    // Each column is as wide as its widest text, never narrower than the row's fixed sizes, and
    // never wider than the screen leaves.
    const QFontMetricsF metrics(m_menu->font());
    const auto widthOf = [&metrics](const QString &text) {
        return int(std::ceil(metrics.horizontalAdvance(text))) + 1;
    };
    int left = RowView::leftLabelWidth;
    int right = RowView::rowWidth - RowView::minimumLeftInset - RowView::leftLabelWidth;
    for (const MenuItem::Ptr &item : m_model.items()) {
        if (const auto &view = item->view()) {
            left = std::max(left, widthOf(view->leftText()) + gap);
            right = std::max(right, widthOf(view->rightText()) + gap);
        }
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const int room = screen->availableGeometry().width() - RowView::minimumLeftInset - gap;
        left = std::min(left, std::max(RowView::leftLabelWidth, room / 2));
        right = std::min(right, std::max(room - left, 0));
    }
    m_leftWidth = left;
    m_rightWidth = right;
}

void QtMenuRenderer::show(Slot &slot, const MenuItem::Ptr &item)
{
    slot.item = item;
    QAction *action = slot.action;
    if (slot.kind == Kind::Separator)
        return;
    if (slot.kind == Kind::Submenu && !slot.submenu) {
        slot.submenu = std::make_shared<QtMenuRenderer>(*item->submenu());
        action->setMenu(slot.submenu->menu());
    }
    const bool enabled = item->isEnabled();
    action->setText(actionText(item->title()));
    action->setEnabled(enabled);
    action->setCheckable(item->state() == MenuItem::On);
    action->setChecked(item->state() == MenuItem::On);
    if (slot.row)
        slot.row->setEnabled(enabled);
    if (slot.kind == Kind::Title) {
        slot.left->setText(withColourEmoji(item->title()));
    } else if (slot.kind == Kind::Row) {
        const auto &view = item->view();
        slot.left->setFixedWidth(m_leftWidth);
        slot.right->setFixedWidth(m_rightWidth - gap);
        // Only a text longer than the screen leaves is cut, with an ellipsis.
        slot.left->setText(slot.left->fontMetrics().elidedText(view->leftText(), Qt::ElideRight,
                                                               m_leftWidth - gap));
        slot.right->setText(slot.right->fontMetrics().elidedText(view->rightText(), Qt::ElideRight,
                                                                 m_rightWidth - gap));
        slot.row->setFixedSize(RowView::minimumLeftInset + m_leftWidth + m_rightWidth,
                               view->height());
    }
}

void QtMenuRenderer::rebuild()
{
    m_dirty = false;
    measureColumns();
    // Each entry keeps its action as long as it stands in the menu as the same kind of entry.
    std::vector<Slot> next;
    for (const MenuItem::Ptr &item : m_model.items()) {
        const Kind kind = kindOf(*item);
        const auto kept = std::find_if(m_slots.begin(), m_slots.end(), [&](const Slot &slot) {
            return slot.item == item && slot.kind == kind;
        });
        if (kept != m_slots.end()) {
            next.push_back(*kept);
            m_slots.erase(kept);
        } else {
            next.push_back(makeSlot(kind));
        }
        show(next.back(), item);
    }
    for (const Slot &gone : m_slots)
        delete gone.action; // leaves the menu, with its row
    m_slots = std::move(next);
    // Actions already in their place stay where they are; the others move in before them.
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const QList<QAction *> actions = m_menu->actions();
        if (qsizetype(i) < actions.size() && actions[qsizetype(i)] == m_slots[i].action)
            continue;
        m_menu->insertAction(qsizetype(i) < actions.size() ? actions[qsizetype(i)] : nullptr,
                             m_slots[i].action);
    }
}
