#pragma once

#include "platform/settings.h"

// An in-memory settings store. `stored()` shows what was written, apart from registered defaults.
class FakeSettings final : public Settings
{
public:
    void registerDefaults(const QVariantMap &defaults) override { m_registered.insert(defaults); }
    qint64 integerForKey(const QString &key) const override { return value(key).toLongLong(); }
    bool boolForKey(const QString &key) const override { return value(key).toBool(); }
    void setValue(const QVariant &value, const QString &key) override { m_stored[key] = value; }
    const QVariantMap &stored() const { return m_stored; }

private:
    QVariant value(const QString &key) const { return m_stored.value(key, m_registered[key]); }

    QVariantMap m_stored;
    QVariantMap m_registered;
};
