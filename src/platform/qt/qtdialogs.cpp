#include "qtdialogs.h"

#include "platform/logging.h"
#include "platform/qt/qtmapwindow.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

void QtDialogs::activate()
{
    // A tray program has no window to raise; the dialog it opens next is made active instead.
}

int QtDialogs::runModal(const Alert &alert)
{
    QMessageBox box;
    box.setWindowTitle(QApplication::applicationDisplayName());
    // Every text reads as written, even one that holds a tag.
    box.setTextFormat(Qt::PlainText);
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    QList<QAbstractButton *> buttons;
    for (const QString &title : alert.buttons)
        buttons.append(box.addButton(
            title, buttons.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::ActionRole));
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
    box.activateWindow();
    box.exec();
    const auto index = buttons.indexOf(box.clickedButton());
    return index < 0 ? firstButton : firstButton + int(index);
}

void QtDialogs::showAbout()
{
    QMessageBox::about(nullptr, tr("About Plumetrack"),
                       tr("<b>Plumetrack</b> %1<br>Launch activity notices around Brownsville, "
                          "Texas, in your tray.")
                           .arg(QApplication::applicationVersion()));
}

QtDialogs::~QtDialogs()
{
    delete m_map.data();
}

void QtDialogs::showMap(const map::Scene &scene, std::function<void(const QUrl &)> open)
{
    auto *window = static_cast<MapWindow *>(m_map.data());
    if (window) {
        window->setScene(scene);
    } else {
        window = new MapWindow(scene, std::move(open));
        window->setAttribute(Qt::WA_DeleteOnClose); // nothing of it stays once closed
        QObject::connect(window, &QObject::destroyed, [] { qCDebug(lcTray) << "map window gone"; });
        m_map = window;
        qCDebug(lcTray) << "map window opened";
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void QtDialogs::updateMap(const std::function<map::Scene()> &scene)
{
    if (auto *window = static_cast<MapWindow *>(m_map.data()))
        window->setScene(scene());
}
