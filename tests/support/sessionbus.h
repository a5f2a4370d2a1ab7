#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>

#include <functional>

// A private D-Bus session bus for one test: its own dbus-daemon, from construction to destruction,
// and a connection of the test's own to it.
class SessionBus
{
public:
    SessionBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address")});
        if (m_daemon.waitForReadyRead(5000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~SessionBus()
    {
        for (const QString &name : m_names)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // Empty when no bus could be started.
    const QString &address() const { return m_address; }
    // A connection to the bus of its own for each `peer`.
    QDBusConnection connection(const QString &peer = QStringLiteral("test"))
    {
        m_names << peer + QLatin1Char('@') + m_address;
        return QDBusConnection::connectToBus(m_address, m_names.last());
    }

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_names;
};

// A D-Bus object of the test's own, written without moc: its interface's introspection XML, and a
// handler that answers each call with the values it returns.
class TestBusObject final : public QDBusVirtualObject
{
public:
    using Handler = std::function<QVariantList(const QDBusMessage &)>;

    TestBusObject(QString introspection, Handler handler)
        : m_introspection(std::move(introspection)), m_handler(std::move(handler))
    { }

    QString introspect(const QString &) const override { return m_introspection; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() == QLatin1String("Introspect"))
            connection.send(
                message.createReply(QStringLiteral("<node>%1</node>").arg(m_introspection)));
        else
            connection.send(message.createReply(m_handler(message)));
        return true;
    }

private:
    QString m_introspection;
    Handler m_handler;
};
