#pragma once

#include <QString>
#include <QStringList>

struct Alert
{
    QString messageText;
    QString informativeText;
    QStringList buttons;
};

class Dialogs
{
public:
    static constexpr int firstButton = 1000;
    static constexpr int secondButton = 1001;

    virtual ~Dialogs() = default;
    // Brings the application forward.
    virtual void activate() = 0;
    // Shows the alert modally; returns 1000 for the first button, 1001 for the second, and so on.
    virtual int runModal(const Alert &alert) = 0;
    virtual void showAbout() = 0;
};
