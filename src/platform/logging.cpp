#include "logging.h"

Q_LOGGING_CATEGORY(lcFaa, "plumetrack.faa", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCounty, "plumetrack.county", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStarbase, "plumetrack.starbase", QtWarningMsg)
Q_LOGGING_CATEGORY(lcBulletin, "plumetrack.bulletin", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNavwarn, "plumetrack.navwarn", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLaunches, "plumetrack.launches", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNotify, "plumetrack.notify", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTray, "plumetrack.tray", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCalendar, "plumetrack.calendar", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "plumetrack.settings", QtWarningMsg)

void enableVerboseLogging()
{
    QLoggingCategory::setFilterRules(
        QStringLiteral("plumetrack.*.debug=true\nplumetrack.*.info=true"));
}

void useLogPattern()
{
    // The environment's pattern, where there is one, wins over this one.
    qSetMessagePattern(QStringLiteral("[%{category}] %{message}"));
}
