#include "launchcover.h"

#include <algorithm>
#include <map>
#include <vector>

namespace launchcover {

namespace {

struct Interval
{
    double start;
    double end;
};

bool overlap(const Interval &a, const Interval &b)
{
    return a.start <= b.end && b.start <= a.end;
}

// The intervals sorted and merged where they touch or overlap.
std::vector<Interval> merged(std::vector<Interval> intervals)
{
    std::sort(intervals.begin(), intervals.end(),
              [](const Interval &a, const Interval &b) { return a.start < b.start; });
    std::vector<Interval> result;
    for (const Interval &interval : intervals) {
        if (!result.empty() && interval.start <= result.back().end)
            result.back().end = std::max(result.back().end, interval.end);
        else
            result.push_back(interval);
    }
    return result;
}

// Where two merged lists overlap, in one pass over both. Windows that only touch (one ends as
// the other starts) meet in no span; a moment inside a window does.
void intersect(const std::vector<Interval> &a, const std::vector<Interval> &b,
               std::vector<Interval> &into)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const double start = std::max(a[i].start, b[j].start);
        const double end = std::min(a[i].end, b[j].end);
        const bool moment = a[i].start == a[i].end || b[j].start == b[j].end;
        if (start < end || (start == end && moment))
            into.push_back({start, end});
        if (a[i].end < b[j].end)
            ++i;
        else
            ++j;
    }
}

} // namespace

std::optional<Kind> kindOf(Source source)
{
    switch (source) {
    case Source::faa:
        return Kind::flight;
    case Source::county:
    case Source::starbase:
        return Kind::road;
    case Source::bulletin:
    case Source::navwarn:
        return Kind::maritime;
    case Source::launches:
        break;
    }
    return std::nullopt;
}

QList<Notice> covering(double start, double end, const QList<Notice> &notices)
{
    QList<Notice> found;
    for (const Notice &notice : notices) {
        if (notice.status == Notice::Status::canceled)
            continue;
        if (std::any_of(notice.windows.begin(), notice.windows.end(), [&](const Window &window) {
                return overlap({window.start, window.last()}, {start, end});
            }))
            found << notice;
    }
    return found;
}

QList<Covered> coveredLaunches(const QList<Notice> &launches, const QList<Notice> &notices)
{
    QList<Covered> result;
    for (const Notice &launch : launches) {
        QList<Notice> found;
        for (const Window &window : launch.windows) {
            for (const Notice &notice : covering(window.start, window.last(), notices)) {
                if (notice.source != Source::launches && !found.contains(notice))
                    found << notice;
            }
        }
        result << Covered {launch, found};
    }
    return result;
}

QList<Span> possibleActivity(const QList<Notice> &launches, const QList<Notice> &notices,
                             double now)
{
    std::map<Kind, std::vector<Interval>> byKind;
    QList<Notice> kinded;
    for (const Notice &notice : notices) {
        const std::optional<Kind> kind = kindOf(notice.source);
        if (!kind || notice.status == Notice::Status::canceled)
            continue;
        kinded << notice;
        for (const Window &window : notice.windows) {
            if (window.last() >= now)
                byKind[*kind].push_back({window.start, window.last()});
        }
    }
    std::vector<std::vector<Interval>> kinds;
    for (auto &[kind, intervals] : byKind)
        kinds.push_back(merged(std::move(intervals)));
    std::vector<Interval> meetings;
    for (size_t a = 0; a < kinds.size(); ++a) {
        for (size_t b = a + 1; b < kinds.size(); ++b)
            intersect(kinds[a], kinds[b], meetings);
    }
    std::vector<Interval> launchWindows;
    for (const Notice &launch : launches) {
        for (const Window &window : launch.windows)
            launchWindows.push_back({window.start, window.last()});
    }
    QList<Span> spans;
    for (const Interval &span : merged(std::move(meetings))) {
        if (std::any_of(launchWindows.begin(), launchWindows.end(),
                        [&span](const Interval &launch) { return overlap(span, launch); }))
            continue;
        spans << Span {span.start, span.end, covering(span.start, span.end, kinded)};
    }
    return spans;
}

} // namespace launchcover
