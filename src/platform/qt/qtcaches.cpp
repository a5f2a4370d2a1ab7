#include "qtcaches.h"

#include <QDir>
#include <QStandardPaths>

QtCaches::QtCaches()
    : m_directory(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                  + QStringLiteral("/plumetrack"))
{ }

QtCaches::QtCaches(QString directory) : m_directory(std::move(directory)) { }

std::optional<QString> QtCaches::directory() const
{
    if (m_directory.isEmpty() || !QDir().mkpath(m_directory))
        return std::nullopt;
    return m_directory;
}
