#include "qtsettings.h"

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
    return valueForKey(key).toBool();
}

void QtSettings::setValue(const QVariant &value, const QString &key)
{
    m_settings->setValue(key, value);
    m_settings->sync();
}
