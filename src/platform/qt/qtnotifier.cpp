#include "qtnotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include "platform/logging.h"

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
constexpr int timeoutMs = 5000;

} // namespace

QtNotifier::QtNotifier(QDBusConnection connection) : m_connection(std::move(connection))
{
    m_connection.connect(service, path, service, QStringLiteral("ActionInvoked"), this,
                         SLOT(actionInvoked(uint, QString)));
}

void QtNotifier::missing(const QString &why)
{
    if (m_saidMissing)
        return;
    qCWarning(lcNotify).noquote()
        << QStringLiteral("no notification service answered (%1); changes show in the tray only.")
               .arg(why);
    m_saidMissing = true;
}

void QtNotifier::notify(const QString &section, const QString &summary, const QString &body)
{
    if (m_bodyMarkup) {
        send(section, summary, body);
        return;
    }
    // A service that reads markup in bodies would take "&" or "<" in a row for markup: ask once
    // what it reads, and send when it has said.
    m_waiting.push_back({section, summary, body});
    if (m_waiting.size() > 1)
        return;
    const QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("GetCapabilities"));
    auto *watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call, timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *answer) {
                answer->deleteLater();
                const QDBusPendingReply<QStringList> reply = *answer;
                if (reply.isError()) {
                    missing(reply.error().message());
                    m_waiting.clear(); // asked again at the next change
                    return;
                }
                m_bodyMarkup = reply.value().contains(QStringLiteral("body-markup"));
                for (const auto &[section, summary, body] : std::exchange(m_waiting, {}))
                    send(section, summary, body);
            });
}

void QtNotifier::send(const QString &section, const QString &summary, const QString &body)
{
    QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    const auto last = m_shown.find(section);
    call << QStringLiteral("Plumetrack") << uint(last == m_shown.end() ? 0 : last->second)
         << QStringLiteral("plumetrack") << summary << (*m_bodyMarkup ? body.toHtmlEscaped() : body)
         << QStringList {QStringLiteral("default"), tr("Open")} << QVariantMap() << -1;
    auto *watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call, timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, section](QDBusPendingCallWatcher *answer) {
                answer->deleteLater();
                const QDBusPendingReply<uint> reply = *answer;
                if (reply.isError()) {
                    missing(reply.error().message());
                    return;
                }
                m_shown[section] = reply.value();
                m_sections[reply.value()] = section;
            });
}

void QtNotifier::actionInvoked(uint id, const QString &action)
{
    const auto it = m_sections.find(id);
    if (action == QLatin1String("default") && it != m_sections.end() && m_activation)
        m_activation(it->second);
}
