#pragma once

#include <QObject>

#include <memory>

class QIcon;
class QString;
class QSystemTrayIcon;
class QTimer;
class QtMenuRenderer;
class StatusItem;

// The status item in the desktop's tray: an icon drawn from the item's title with the colour emoji
// font (the title is also the tooltip), and the item's menu as its context menu.
//
// Qt decides once per process between the D-Bus tray (StatusNotifierItem) and the old X11 tray, at
// the first use of QSystemTrayIcon, and picks X11 for good when asked too early. So the tray first
// waits for a StatusNotifierWatcher on the session bus and falls back to the X11 tray after
// `fallbackMilliseconds`. Where no tray appears at all it says so once and shows the icon when
// one does.
class QtTray final
{
public:
    static constexpr int defaultFallbackMilliseconds = 15'000;

    explicit QtTray(StatusItem &item, int fallbackMilliseconds = defaultFallbackMilliseconds);
    ~QtTray();

    // The title drawn as an icon: the first character fills it, the rest is a badge at its
    // lower right.
    static QIcon iconForTitle(const QString &title);

    QSystemTrayIcon *trayIcon() const { return m_icon.get(); }
    QtMenuRenderer *renderer() const { return m_renderer.get(); }

private:
    void createIcon();
    void showWhenAvailable();
    void update();

    StatusItem &m_item;
    QObject m_context;
    std::unique_ptr<QtMenuRenderer> m_renderer;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QTimer *m_waitForTray = nullptr;
    bool m_saidNoTray = false;
};
