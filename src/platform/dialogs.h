#pragma once

#include "map/mapscene.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

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
    // Opens a window of the map of `scene` (or brings the open one forward with it); choosing a
    // notice there opens its page through `open`. The window goes, with all it holds, when closed.
    virtual void showMap(const map::Scene &scene, std::function<void(const QUrl &)> open) = 0;
    // Gives an open map window the scene `scene` makes, without bringing it forward; makes none
    // when no map window is open.
    virtual void updateMap(const std::function<map::Scene()> &scene) = 0;
};
