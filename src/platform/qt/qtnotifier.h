#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QObject>

#include <map>

// Notifications through the freedesktop notification service (org.freedesktop.Notifications) on
// the session bus: application "Plumetrack", icon "plumetrack", a default action.
class QtNotifier final : public QObject, public Notifier
{
    Q_OBJECT

public:
    explicit QtNotifier(QDBusConnection connection = QDBusConnection::sessionBus());

    unsigned notify(const QString &section, const QString &summary, const QString &body,
                    unsigned replacesId) override;
    void setActivation(Activation activation) override { m_activation = std::move(activation); }

private slots:
    void actionInvoked(uint id, const QString &action);

private:
    QDBusConnection m_connection;
    Activation m_activation;
    std::map<unsigned, QString> m_sections; // the section of each notification shown
    bool m_saidMissing = false;
};
