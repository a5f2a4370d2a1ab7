#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QObject>

#include <array>
#include <map>
#include <optional>
#include <vector>

// Notifications through the freedesktop notification service (org.freedesktop.Notifications) on
// the session bus: application "Plumetrack", icon "plumetrack", a default action. Calls never
// wait for the service: each reply is taken when it comes, and with it the number that the
// section's next notification replaces.
class QtNotifier final : public QObject, public Notifier
{
    Q_OBJECT

public:
    explicit QtNotifier(QDBusConnection connection = QDBusConnection::sessionBus());

    void notify(const QString &section, const QString &summary, const QString &body) override;
    void setActivation(Activation activation) override { m_activation = std::move(activation); }

private slots:
    void actionInvoked(uint id, const QString &action);

private:
    void send(const QString &section, const QString &summary, const QString &body);
    void missing(const QString &why);

    QDBusConnection m_connection;
    Activation m_activation;
    std::map<unsigned, QString> m_sections; // the section of each notification shown
    std::map<QString, unsigned> m_shown; // the last notification of each section
    // Whether the service reads markup in bodies; none until it has said.
    std::optional<bool> m_bodyMarkup;
    // Notifications asked for before the service said what it reads.
    std::vector<std::array<QString, 3>> m_waiting;
    bool m_saidMissing = false;
};
