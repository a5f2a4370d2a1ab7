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
    // Shows a notification for `section`, in the place of the one numbered `replacesId` (0: none)
    // if it still shows; returns its number, or 0 when no notification service answered (which
    // is said once, never raised).
    virtual unsigned notify(const QString &section, const QString &summary, const QString &body,
                            unsigned replacesId)
        = 0;
    virtual void setActivation(Activation activation) = 0;
};
