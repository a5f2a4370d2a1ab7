#pragma once

#include <QString>

#include <functional>

// Desktop notifications.
class Notifier
{
public:
    // Told the section of a notification whose default action the user chose.
    using Activation = std::function<void(const QString &section)>;

    virtual ~Notifier() = default;
    // Shows a notification for `section` in the place of the section's last one, if that still
    // shows, and returns at once. A missing notification service is said once, never raised.
    virtual void notify(const QString &section, const QString &summary, const QString &body) = 0;
    virtual void setActivation(Activation activation) = 0;
};
