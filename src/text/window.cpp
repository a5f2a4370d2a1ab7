#include "window.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <map>

QList<double> datesOf(const QList<Window> &windows, const QString &zone)
{
    QList<double> result;
    result.reserve(windows.size() + 1);
    for (const Window &window : windows)
        result.append(window.firstDay());
    if (windows.size() != 1 || !windows.front().end)
        return result;
    // A window that ends on another day of the place keeps its end.
    thread_local std::map<QString, QTimeZone> zones;
    const auto it = zones.try_emplace(zone, QTimeZone(zone.toUtf8())).first;
    const QTimeZone &place = it->second;
    const auto day = [&place](double instant) {
        return QDateTime::fromSecsSinceEpoch(qint64(instant), place).date();
    };
    if (day(windows.front().lastDay()) != day(windows.front().firstDay()))
        result.append(windows.front().lastDay());
    return result;
}

std::optional<double> latestEnd(const QList<Window> &windows)
{
    std::optional<double> latest;
    for (const Window &window : windows)
        latest = std::max(latest.value_or(window.last()), window.last());
    return latest;
}

bool areOver(const QList<Window> &windows, double now)
{
    const std::optional<double> end = latestEnd(windows);
    return end && *end < now - 86400.0;
}

QString isoOf(double instant)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant), QTimeZone::utc()).toString(Qt::ISODate);
}
