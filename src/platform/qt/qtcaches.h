#pragma once

#include "platform/caches.h"

// The program's cache directory ($XDG_CACHE_HOME/plumetrack, else ~/.cache/plumetrack).
class QtCaches final : public Caches
{
public:
    QtCaches();
    // A directory of its own, for tests.
    explicit QtCaches(QString directory);
    std::optional<QString> directory() const override;

private:
    QString m_directory;
};
