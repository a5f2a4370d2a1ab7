#include "qtsettings.h"

#include "platform/logging.h"

#include <QSettings>

QtSettings::QtSettings()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Plumetrack"),
                                             QStringLiteral("Plumetrack")))
{ }

QtSettings::QtSettings(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{ }

QtSettings::~QtSettings() = default;

void QtSettings::registerDefaults(const QVariantMap &defaults)
{
    for (auto it = defaults.begin(); it != defaults.end(); ++it)
        m_registered.insert(it.key(), it.value());
}

QVariant QtSettings::valueForKey(const QString &key) const
{
    const QVariant stored = m_settings->value(key);
    return stored.isValid() ? stored : m_registered.value(key);
}

qint64 QtSettings::integerForKey(const QString &key) const
{
    bool ok = false;
    const qint64 value = valueForKey(key).toLongLong(&ok);
    return ok ? value : 0;
}

bool QtSettings::boolForKey(const QString &key) const
{
    const QVariant stored = m_settings->value(key);
    const bool fallback = m_registered.value(key).toBool();
    if (!stored.isValid())
        return fallback;
    if (stored.typeId() == QMetaType::Bool)
        return stored.toBool();
    // As people write them by hand: true and false, 1 and 0, yes and no, on and off.
    const QString text = stored.toString().trimmed().toLower();
    for (const char *yes : {"true", "1", "yes", "on"}) {
        if (text == QLatin1String(yes))
            return true;
    }
    for (const char *no : {"false", "0", "no", "off"}) {
        if (text == QLatin1String(no))
            return false;
    }
    if (!m_warned.contains(key)) {
        m_warned.insert(key);
        qCWarning(lcSettings).noquote()
            << QStringLiteral("The setting %1 reads \"%2\", which is neither true nor false; %3 "
                              "is used")
                   .arg(key, stored.toString(),
                        fallback ? QStringLiteral("true") : QStringLiteral("false"));
    }
    return fallback;
}

void QtSettings::setValue(const QVariant &value, const QString &key)
{
    m_settings->setValue(key, value);
    m_settings->sync();
}
