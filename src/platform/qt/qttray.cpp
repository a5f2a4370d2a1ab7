#include "qttray.h"

#include "platform/menu.h"
#include "platform/qt/qtmenurenderer.h"
#include "platform/statusitem.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTextBoundaryFinder>
#include <QTimer>

#include "platform/logging.h"

#include <cstdio>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

QPixmap drawTitle(const QString &title, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                           | QPainter::SmoothPixmapTransform);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, title);
    const qsizetype firstEnd = title.isEmpty() ? 0 : finder.toNextBoundary();
    const QString main = title.left(firstEnd);
    const QString badge = title.mid(firstEnd);

    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(int(size * (badge.isEmpty() ? 0.9 : 0.8)));
    painter.setFont(font);
    painter.drawText(QRect(0, 0, size, size),
                     badge.isEmpty() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop, main);
    if (!badge.isEmpty()) {
        font.setPixelSize(size / 2);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0x2e, 0x9e, 0x44));
        painter.drawText(QRect(size / 2, size / 2, size / 2, size / 2), Qt::AlignCenter, badge);
    }
    return pixmap;
}

} // namespace

QIcon QtTray::iconForTitle(const QString &title)
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(drawTitle(title, size));
    return icon;
}

QtTray::QtTray(StatusItem &item, int fallbackMilliseconds) : m_item(item)
{
    m_item.setObserver([this] { update(); });
    update();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface()->isServiceRegistered(watcherService)) {
        createIcon();
        return;
    }
    qCInfo(lcTray) << "waiting for a tray host on the session bus";
    if (bus.isConnected()) {
        auto *watcher = new QDBusServiceWatcher(
            watcherService, bus, QDBusServiceWatcher::WatchForRegistration, &m_context);
        QObject::connect(watcher, &QDBusServiceWatcher::serviceRegistered, &m_context,
                         [this] { createIcon(); });
    }
    QTimer::singleShot(fallbackMilliseconds, &m_context, [this] { createIcon(); });
}

QtTray::~QtTray()
{
    m_item.setObserver(nullptr);
}

void QtTray::createIcon()
{
    if (m_icon)
        return;
    qCInfo(lcTray) << "showing the tray icon";
    m_icon = std::make_unique<QSystemTrayIcon>();
    // A left click opens the menu too, where the tray host does not do so itself.
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, &m_context,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger && m_icon->contextMenu())
                             m_icon->contextMenu()->popup(QCursor::pos());
                     });
    update();
    showWhenAvailable();
}

void QtTray::showWhenAvailable()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_icon->show();
        return;
    }
    if (!m_saidNoTray) {
        std::fputs("Plumetrack: no system tray is available; the icon appears when one is.\n",
                   stderr);
        m_saidNoTray = true;
    }
    QTimer::singleShot(5000, &m_context, [this] { showWhenAvailable(); });
}

void QtTray::update()
{
    if (m_item.menu() && !m_renderer)
        m_renderer = std::make_unique<QtMenuRenderer>(*m_item.menu());
    if (!m_icon)
        return;
    m_icon->setIcon(iconForTitle(m_item.title()));
    m_icon->setToolTip(m_item.toolTip());
    if (m_renderer && m_icon->contextMenu() != m_renderer->menu())
        m_icon->setContextMenu(m_renderer->menu());
}
