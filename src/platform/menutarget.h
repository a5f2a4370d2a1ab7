#pragma once

class MenuItem;

// What choosing a menu entry does: one of the program's actions, sent to the entry's target.
enum class Action {
    none,
    openPage, // the page the entry stands for
    changeUpdateTime, // the entry's tag is the period in seconds
    toggleNotifications,
    toggleMirror,
    toggleSource, // the entry stands for a Source
    toggleStartAtLogin,
    openCalendar,
    showMap,
    checkForUpdates,
    showAbout,
    quit,
};

// The receiver of a menu entry's action.
class MenuTarget
{
public:
    virtual ~MenuTarget() = default;
    virtual void performAction(Action action, MenuItem &sender) = 0;
};
