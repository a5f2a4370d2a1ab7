#pragma once

#include "notices/notice.h"
#include "platform/menuitem.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

class Clock;

// How notices read in the menu, in notifications and in the tooltip: display text made at render,
// in the user's language and zone.
class NoticeRows final
{
    Q_DECLARE_TR_FUNCTIONS(NoticeRows)

public:
    // The two columns of an entry. `padded`: the left column shows its 40 units in the row too.
    struct Row
    {
        QString left;
        QString right;
        bool padded = true;
    };

    // `zone` is the zone of the place the notices speak of.
    NoticeRows(const Clock &clock, QString zone);

    // A restriction: its period and how high it reaches. A closure: "<date type without " Date">:
    // <day without ", 2021">", then the hours, or the status when it was canceled or has
    // concluded. Any other row: its label, then its text.
    Row rowOf(const Notice &notice) const;
    // An entry is never longer than this: a page's whole text stays in the calendar and --once's
    // JSON.
    static constexpr qsizetype longestEntry = 200;

    // The entry's plain title: the left column in 40 UTF-16 units, a blank and the right one; the
    // bulletin's line after five blanks; cut with "…" after 200 units.
    QString titleOf(const Notice &notice) const;
    // The entries of a source's notices, each opening the notice's page; the bulletin's section
    // says "     None" after a read without its line.
    QList<MenuItem::Ptr> entriesOf(Source source, const QList<Notice> &notices,
                                   MenuTarget *target) const;

    // A restriction's period: with exactly two dates, both in the medium date style in US Central
    // time (the current year cut where it stands between blanks); otherwise its text, less a few
    // fixed texts, up to its first "through".
    QString dayOf(const Notice &notice) const;
    // The altitude column: blank before the detail is read, "altitude not read" when it could not
    // be, else a blank and how high the restriction reaches.
    static QString altitudeColumnOf(const Notice &notice);

    // When the first of the notices' windows comes: "now, until END" ("until the end of DAY" for
    // days) while one holds the present moment, else the earliest start (its days, for days) and
    // how far off it is; none when none is current or to come.
    std::optional<QString> nextWindow(const QList<Notice> &notices) const;
    // The status title, then the next launch, then when the next closure, the next restriction
    // and the next maritime hazard area come.
    QString toolTipOf(const QString &title, const QList<Notice> &closures,
                      const QList<Notice> &restrictions, const QList<Notice> &launches = {},
                      const QList<Notice> &hazards = {}) const;

    // When a launch is planned, in the user's zone, to the precision the schedule gives ("Dec 9,
    // 5:30 PM", "Dec 9", "December 2026", "2027"), then its status in parentheses unless it is
    // "Go": "Dec 9, 5:30 PM (TBC)" (`withStatus`).
    static QString launchTimeOf(const Notice &launch, bool withStatus = true);
    // How people call a notice in a list: "TFR 6/2998", "road closure Dec 9", "beach closure Dec
    // 8", "NAVAREA IV 704/26"; a closure without its day unless `withDay`.
    QString shortNameOf(const Notice &notice, bool withDay = true) const;
    // The line under a launch or a span of possible activity: "    Covered by: " and the short
    // names of the notices, or "    No notice covers this window yet".
    MenuItem::Ptr coveredLineOf(const QList<Notice> &covering) const;
    // The row of a span where notices of two kinds meet with no launch listed.
    static MenuItem::Ptr possibleActivityRowOf(double start, double end);

private:
    // "in 5 min", "in 3 h", "in 2 d".
    static QString awayOf(double ahead);

    const Clock &m_clock;
    QString m_zone;
};
