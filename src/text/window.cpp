#include "window.h"

#include <QDateTime>
#include <QTimeZone>

QList<double> datesOf(const QList<Window> &windows, const QString &zone)
{
    QList<double> result;
    result.reserve(windows.size() + 1);
    for (const Window &window : windows)
        result.append(window.start);
    if (windows.size() != 1 || !windows.front().end)
        return result;
    // A window that ends on another day of the place keeps its end.
    const QTimeZone place(zone.toUtf8());
    const auto day = [&place](double instant) {
        return QDateTime::fromSecsSinceEpoch(qint64(instant), place).date();
    };
    if (day(windows.front().last()) != day(windows.front().start))
        result.append(windows.front().last());
    return result;
}
