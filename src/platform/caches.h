#pragma once

#include <QString>

#include <optional>

class Caches
{
public:
    virtual ~Caches() = default;
    // The program's own cache directory, created if missing; none when it cannot be had.
    virtual std::optional<QString> directory() const = 0;
};
