#pragma once

#include "notices/notice.h"

#include <QList>

#include <optional>

// Which notices cover a launch, and where notices of different kinds meet with no launch listed:
// the one correlation none of the sources makes. A window is the span from its start to its last
// moment; two windows overlap when each starts no later than the other ends.
namespace launchcover {

// What a launch brings: a flight restriction, a road or beach closure, a notice to mariners.
enum class Kind { flight, road, maritime };
std::optional<Kind> kindOf(Source source);

// The notices, in their order, that are not canceled and have a window overlapping the span from
// `start` to `end`.
QList<Notice> covering(double start, double end, const QList<Notice> &notices);

// A launch and the notices that cover its window.
struct Covered
{
    Notice launch;
    QList<Notice> notices;
};

// Each launch with the notices (of any other source) that cover its window.
QList<Covered> coveredLaunches(const QList<Notice> &launches, const QList<Notice> &notices);

// A span where notices of at least two kinds are in force at once, and the notices that cover it.
struct Span
{
    double start = 0;
    double end = 0;
    QList<Notice> notices;
};

// Where the windows of notices of two or more kinds overlap (spans that touch or overlap merged
// into one), leaving out spans that overlap the window of any of `launches` and those over by
// `now`; in order of their starts.
QList<Span> possibleActivity(const QList<Notice> &launches, const QList<Notice> &notices,
                             double now);

} // namespace launchcover
