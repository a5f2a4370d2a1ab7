#pragma once

#include "platform/settings.h"

#include <QSet>

#include <memory>

class QSettings;

// QSettings in the user's configuration directory
// ($XDG_CONFIG_HOME/Plumetrack/Plumetrack.conf, else ~/.config/...).
class QtSettings final : public Settings
{
public:
    QtSettings();
    // A settings file of its own, for tests.
    explicit QtSettings(const QString &iniFile);
    ~QtSettings() override;

    void registerDefaults(const QVariantMap &defaults) override;
    qint64 integerForKey(const QString &key) const override;
    bool boolForKey(const QString &key) const override;
    void setValue(const QVariant &value, const QString &key) override;

private:
    QVariant valueForKey(const QString &key) const;

    std::unique_ptr<QSettings> m_settings;
    QVariantMap m_registered;
    mutable QSet<QString> m_warned; // keys whose value was said to be no boolean
};
