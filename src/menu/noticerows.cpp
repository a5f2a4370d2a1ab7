#include "noticerows.h"

#include "platform/clock.h"
#include "platform/rowview.h"
#include "text/dateformathelper.h"
#include "text/stringutils.h"

#include <algorithm>

NoticeRows::NoticeRows(const Clock &clock, QString zone) : m_clock(clock), m_zone(std::move(zone))
{ }

QString NoticeRows::dayOf(const Notice &notice) const
{
    const QList<double> dates = datesOf(notice.windows, m_zone);
    if (dates.size() == 2) {
        const DateFormatHelper helper(DateFormatHelper::Style::Medium,
                                      DateFormatHelper::Style::None, QStringLiteral("CST"),
                                      m_clock);
        const auto format = [&helper](double instant) {
            const QString text = helper.formatDate(instant);
            const qint64 year = helper.yearOf(instant);
            return year == helper.thisYear() ? DateFormatHelper::removingYear(text, year) : text;
        };
        return tr("%1 to %2").arg(format(dates[0]), format(dates[1]));
    }
    QString text = notice.text;
    for (const char *cut :
         {"Brownsville, TX, ", "BROWNSVILLE, TX, ", "UTC", ", 2022", ", 2021", ", 2020"})
        text.remove(QLatin1String(cut));
    const qsizetype through = text.indexOf(QLatin1String("through"));
    return through < 0 ? text : text.left(through);
}

QString NoticeRows::altitudeColumnOf(const Notice &notice)
{
    if (notice.detail == Notice::Detail::pending)
        return {};
    if (notice.detail == Notice::Detail::notRead)
        return QLatin1Char(' ') + tr("altitude not read");
    return QLatin1Char(' ') + altitudeText(notice.floor, notice.ceiling, [](const char *text) {
               return QCoreApplication::translate("Notice", text);
           });
}

NoticeRows::Row NoticeRows::rowOf(const Notice &notice) const
{
    switch (notice.source) {
    case Source::faa:
        return {dayOf(notice), altitudeColumnOf(notice), false};
    case Source::county: {
        QString type = notice.label;
        QString day = notice.text;
        return {type.remove(QStringLiteral(" Date")) + QStringLiteral(": ")
                    + day.remove(QStringLiteral(", 2021")),
                notice.status == Notice::Status::scheduled ? notice.hours : notice.statusText};
    }
    case Source::launches:
        return {notice.label, launchTimeOf(notice)};
    case Source::bulletin:
    case Source::starbase:
    case Source::navwarn:
        break;
    }
    return {notice.label, notice.text};
}

QString NoticeRows::titleOf(const Notice &notice) const
{
    if (notice.source == Source::bulletin)
        return shortened(QStringLiteral("     ")
                             + (notice.label.isEmpty() ? notice.text
                                                       : notice.label + QStringLiteral(": ")
                                        + firstSentence(notice.text)),
                         longestEntry);
    const Row row = rowOf(notice);
    // The right column of a restriction brings its own blank.
    return shortened(paddedOrCut(row.left, 40) + (row.padded ? QStringLiteral(" ") : QString())
                         + row.right,
                     longestEntry);
}

QList<MenuItem::Ptr> NoticeRows::entriesOf(Source source, const QList<Notice> &notices,
                                           MenuTarget *target) const
{
    if (source == Source::bulletin && notices.isEmpty())
        return {MenuItem::create(tr("     None"))};
    QList<MenuItem::Ptr> entries;
    for (const Notice &notice : notices) {
        auto item = MenuItem::create(titleOf(notice), Action::openPage);
        item->setTarget(target);
        item->setRepresentedObject(notice.page);
        if (notice.source != Source::bulletin) {
            const Row row = rowOf(notice);
            item->setView(RowView::makeTwoTextColumnStackForMenus(
                row.padded ? paddedOrCut(row.left, 40) : shortened(row.left, longestEntry),
                shortened(row.right, longestEntry)));
        }
        entries << item;
    }
    return entries;
}

std::optional<QString> NoticeRows::nextWindow(const QList<Notice> &notices) const
{
    const double now = m_clock.now();
    std::optional<Window> current;
    std::optional<Window> next;
    for (const Notice &notice : notices) {
        for (const Window &window : notice.windows) {
            if (window.start <= now && now <= window.last()) {
                if (!current || window.last() > current->last())
                    current = window;
            } else if (window.start > now && (!next || window.start < next->start)) {
                next = window;
            }
        }
    }
    // Days are days of the place; times are shown in the user's zone.
    const DateFormatHelper days(DateFormatHelper::Style::Medium, DateFormatHelper::Style::None,
                                m_zone, m_clock);
    const DateFormatHelper times(DateFormatHelper::Style::Medium, DateFormatHelper::Style::Short,
                                 QString(), m_clock);
    if (current)
        return current->hasTime
            ? tr("now, until %1").arg(times.formatDate(current->last()))
            : tr("now, until the end of %1").arg(days.formatDate(current->lastDay()));
    if (!next)
        return std::nullopt;
    QString when = times.formatDate(next->start);
    if (!next->hasTime) {
        const QString first = days.formatDate(next->firstDay());
        const QString last = days.formatDate(next->lastDay());
        when = first == last ? first : first + QStringLiteral(" – ") + last;
    }
    return when + QStringLiteral(" (") + awayOf(next->start - now) + QLatin1Char(')');
}

QString NoticeRows::awayOf(double ahead)
{
    // Whole minutes below an hour, whole hours below two days, whole days above.
    return ahead < 3600.0     ? tr("in %n min", nullptr, int(ahead / 60))
        : ahead < 2 * 86400.0 ? tr("in %n h", nullptr, int(ahead / 3600))
                              : tr("in %n d", nullptr, int(ahead / 86400));
}

QString NoticeRows::launchTimeOf(const Notice &launch, bool withStatus)
{
    if (!launch.launch)
        return launch.text;
    const char *skeleton = "MMMdjmm";
    switch (launch.launch->precision) {
    case LaunchTime::Precision::minute:
    case LaunchTime::Precision::hour:
        break;
    case LaunchTime::Precision::day:
        skeleton = "MMMd";
        break;
    case LaunchTime::Precision::month:
        skeleton = "MMMMy";
        break;
    case LaunchTime::Precision::year:
        skeleton = "y";
        break;
    }
    const QString when = DateFormatHelper::formatSkeleton(launch.launch->net, skeleton);
    return !withStatus || launch.statusText.isEmpty() || launch.statusText == QLatin1String("Go")
        ? when
        : when + QStringLiteral(" (") + launch.statusText + QLatin1Char(')');
}

QString NoticeRows::shortNameOf(const Notice &notice, bool withDay) const
{
    // Closures by their first day, as Brownsville counts days.
    const QString day = !withDay ? QString()
        : notice.windows.isEmpty()
        ? notice.label
        : DateFormatHelper::formatSkeleton(notice.windows.front().firstDay(), "MMMd", m_zone);
    switch (notice.source) {
    case Source::faa:
        return tr("TFR %1").arg(notice.label);
    case Source::county:
        return tr("road closure %1").arg(day).trimmed();
    case Source::starbase:
        return (notice.label.startsWith(QLatin1String("Beach")) ? tr("beach closure %1").arg(day)
                                                                : tr("road delay %1").arg(day))
            .trimmed();
    case Source::bulletin:
    case Source::navwarn:
    case Source::launches:
        break;
    }
    return notice.label;
}

MenuItem::Ptr NoticeRows::coveredLineOf(const QList<Notice> &covering) const
{
    if (covering.isEmpty())
        return MenuItem::create(tr("    No notice covers this window yet"));
    QStringList names;
    for (const Notice &notice : covering) {
        const QString name = shortNameOf(notice);
        if (!names.contains(name))
            names << name;
    }
    return MenuItem::create(
        shortened(tr("    Covered by: %1").arg(names.join(QStringLiteral(", "))), longestEntry));
}

MenuItem::Ptr NoticeRows::possibleActivityRowOf(double start, double end)
{
    const Row row {tr("Possible launch activity"),
                   DateFormatHelper::formatInterval(start, end, "MMMdjmm")};
    auto item = MenuItem::create(paddedOrCut(row.left, 40) + QLatin1Char(' ') + row.right);
    item->setView(RowView::makeTwoTextColumnStackForMenus(paddedOrCut(row.left, 40), row.right));
    return item;
}

QString NoticeRows::toolTipOf(const QString &title, const QList<Notice> &closures,
                              const QList<Notice> &restrictions, const QList<Notice> &launches,
                              const QList<Notice> &hazards) const
{
    QStringList lines {title};
    // The first launch whose time has not passed.
    const double now = m_clock.now();
    const auto next = std::find_if(launches.begin(), launches.end(), [now](const Notice &launch) {
        return launch.launch && launch.launch->net >= now;
    });
    if (next != launches.end())
        lines << tr("Next launch: %1, %2 (%3)")
                     .arg(next->label, launchTimeOf(*next, false), awayOf(next->launch->net - now));
    if (const auto when = nextWindow(closures))
        lines << tr("🚗 Next closure: %1").arg(*when);
    if (const auto when = nextWindow(restrictions))
        lines << tr("✈️ Next restriction: %1").arg(*when);
    if (const auto when = nextWindow(hazards))
        lines << tr("🛳 Next hazard area: %1").arg(*when);
    return lines.join(QLatin1Char('\n'));
}
