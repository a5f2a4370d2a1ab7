#pragma once

#include <QLoggingCategory>

// The program's diagnostics, one category per area. Debug and info lines are off unless
// QT_LOGGING_RULES or --verbose turns them on; warnings are on.
Q_DECLARE_LOGGING_CATEGORY(lcFaa)
Q_DECLARE_LOGGING_CATEGORY(lcCounty)
Q_DECLARE_LOGGING_CATEGORY(lcStarbase)
Q_DECLARE_LOGGING_CATEGORY(lcBulletin)
Q_DECLARE_LOGGING_CATEGORY(lcNavwarn)
Q_DECLARE_LOGGING_CATEGORY(lcLaunches)
Q_DECLARE_LOGGING_CATEGORY(lcNotify)
Q_DECLARE_LOGGING_CATEGORY(lcTray)
Q_DECLARE_LOGGING_CATEGORY(lcCalendar)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)

// Turns the debug and info lines of every category of the program on.
void enableVerboseLogging();
// "[category] message", without colours, unless QT_MESSAGE_PATTERN says otherwise.
void useLogPattern();
