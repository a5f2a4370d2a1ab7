#include "faanotam.h"

#include "platform/rowview.h"
#include "text/dateformathelper.h"
#include "text/stringutils.h"

#include <algorithm>

bool FAANotam::operator==(const FAANotam &other) const
{
    return canonicallyEqual(line, other.line)
        && canonicallyEqual(detailsSubPath, other.detailsSubPath);
}

QString FAANotam::displayDay(const Clock &clock) const
{
    if (dates.size() == 2) {
        const DateFormatHelper helper(DateFormatHelper::Style::Medium,
                                      DateFormatHelper::Style::None, QStringLiteral("CST"), clock);
        const auto format = [&helper](double instant) {
            const QString text = helper.formatDate(instant);
            const qint64 year = helper.yearOf(instant);
            return year == helper.thisYear() ? DateFormatHelper::removingYear(text, year) : text;
        };
        return format(dates[0]) + QStringLiteral(" to ") + format(dates[1]);
    }
    QString text = line;
    for (const char *cut :
         {"Brownsville, TX, ", "BROWNSVILLE, TX, ", "UTC", ", 2022", ", 2021", ", 2020"})
        text.remove(QLatin1String(cut));
    const qsizetype through = text.indexOf(QLatin1String("through"));
    return through < 0 ? text : text.left(through);
}

QList<MenuItem::Ptr> FAANotam::menuItems(MenuTarget *target, const QString &action,
                                         const Clock &clock) const
{
    const QString day = displayDay(clock);
    auto item = MenuItem::create(paddedOrCut(day, 40), action);
    item->setTarget(target);
    const QString altitude = details ? QStringLiteral(" ") + details->altitudeDisplay() : QString();
    item->setTitle(item->title() + altitude);
    item->setView(RowView::makeTwoTextColumnStackForMenus(day, altitude));
    return {item};
}

QList<FAANotam> FAANotam::displaySort(const QList<FAANotam> &notams)
{
    QList<FAANotam> sorted = notams;
    const auto byFirstDate
        = [](const FAANotam &a, const FAANotam &b) { return a.dates.first() < b.dates.first(); };
    // Each stretch between notices without dates is ordered on its own: reversed first, so that
    // a stable sort leaves the later of two equal first dates in front.
    auto stretch = sorted.begin();
    while (stretch != sorted.end()) {
        const auto end = std::find_if(stretch, sorted.end(),
                                      [](const FAANotam &n) { return n.dates.isEmpty(); });
        std::reverse(stretch, end);
        std::stable_sort(stretch, end, byFirstDate);
        stretch = end == sorted.end() ? end : end + 1;
    }
    return sorted;
}
