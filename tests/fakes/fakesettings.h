#pragma once

#include "platform/settings.h"

// An in-memory settings store. `stored()` shows what was written, apart from registered defaults.
class FakeSettings final : public Settings
{
public:
    void registerDefaults(const QVariantMap &defaults) override
    {
        for (auto it = defaults.begin(); it != defaults.end(); ++it)
            m_registered.insert(it.key(), it.value());
    }
    qint64 integerForKey(const QString &key) const override
    {
        bool ok = false;
        const qint64 value = valueForKey(key).toLongLong(&ok);
        return ok ? value : 0;
    }
    bool boolForKey(const QString &key) const override { return valueForKey(key).toBool(); }
    void setValue(const QVariant &value, const QString &key) override
    {
        m_stored.insert(key, value);
        ++m_writes;
    }

    const QVariantMap &stored() const { return m_stored; }
    int writes() const { return m_writes; }

private:
    QVariant valueForKey(const QString &key) const
    {
        return m_stored.contains(key) ? m_stored.value(key) : m_registered.value(key);
    }

    QVariantMap m_stored;
    QVariantMap m_registered;
    int m_writes = 0;
};
