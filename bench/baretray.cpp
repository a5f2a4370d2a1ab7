// A bare Qt tray icon with a small menu: the yardstick of the footprint script.
#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::darkBlue);
    QSystemTrayIcon icon {QIcon(pixmap)};
    QMenu menu;
    menu.addAction(QStringLiteral("Quit"), &application, &QApplication::quit);
    icon.setContextMenu(&menu);
    icon.show();
    return application.exec();
}
