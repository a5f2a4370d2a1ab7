#pragma once

#include "platform/caches.h"

#include <QDir>
#include <QTemporaryDir>

// A cache directory of its own that goes away with the object.
class FakeCaches final : public Caches
{
public:
    std::optional<QString> directory() const override
    {
        if (!m_available || !m_root.isValid())
            return std::nullopt;
        const QString path = m_root.filePath(QStringLiteral("cache"));
        QDir().mkpath(path);
        return path;
    }
    void setAvailable(bool available) { m_available = available; }
    QString path() const { return m_root.filePath(QStringLiteral("cache")); }
    // The names in the cache directory, sorted, folders with a trailing "/".
    QStringList entries() const
    {
        QStringList names;
        for (const QFileInfo &info : QDir(path()).entryInfoList(
                 QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name))
            names << info.fileName() + (info.isDir() && !info.isSymLink() ? "/" : "");
        return names;
    }

private:
    QTemporaryDir m_root;
    bool m_available = true;
};
