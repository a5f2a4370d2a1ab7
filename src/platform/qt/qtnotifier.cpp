#include "qtnotifier.h"

#include <QDBusMessage>
#include <QVariantMap>

#include <cstdio>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

QtNotifier::QtNotifier(QDBusConnection connection) : m_connection(std::move(connection))
{
    m_connection.connect(service, path, service, QStringLiteral("ActionInvoked"), this,
                         SLOT(actionInvoked(uint, QString)));
}

unsigned QtNotifier::notify(const QString &section, const QString &summary, const QString &body,
                            unsigned replacesId)
{
    QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    call << QStringLiteral("Plumetrack") << uint(replacesId) << QStringLiteral("plumetrack")
         << summary << body << QStringList {QStringLiteral("default"), QStringLiteral("Open")}
         << QVariantMap() << -1;
    const QDBusMessage reply = m_connection.call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        if (!m_saidMissing) {
            std::fprintf(stderr,
                         "Plumetrack: no notification service answered (%s); changes show "
                         "in the tray only.\n",
                         qPrintable(reply.errorMessage()));
            m_saidMissing = true;
        }
        return 0;
    }
    const unsigned id = reply.arguments().first().toUInt();
    m_sections[id] = section;
    return id;
}

void QtNotifier::actionInvoked(uint id, const QString &action)
{
    const auto it = m_sections.find(id);
    if (action == QLatin1String("default") && it != m_sections.end() && m_activation)
        m_activation(it->second);
}
