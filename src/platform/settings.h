#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// The per-user settings store.
class Settings
{
public:
    virtual ~Settings() = default;
    // Fallback values for the running process: never written, never overriding a stored value.
    virtual void registerDefaults(const QVariantMap &defaults) = 0;
    // 0 when the key is absent and has no registered default, or does not read as an integer.
    virtual qint64 integerForKey(const QString &key) const = 0;
    // false when the key is absent and has no registered default.
    virtual bool boolForKey(const QString &key) const = 0;
    // Visible to the next read at once, and kept for later runs.
    virtual void setValue(const QVariant &value, const QString &key) = 0;
};
