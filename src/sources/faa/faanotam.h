#pragma once

#include "platform/menuitem.h"
#include "sources/faa/faadetail.h"

#include <QList>
#include <QString>

#include <optional>

class Clock;
class MenuTarget;

// One FAA temporary flight restriction of type "SPACE OPERATIONS" at Brownsville.
struct FAANotam
{
    // A fresh random identifier of this parse; the detail pass's key and nothing else.
    QString id;
    // Everything after the first ">" of the notice's line on the list page, unchanged.
    QString line;
    // The dates written in `line`, in the order the date finder returns them.
    QList<double> dates;
    // The absolute address of the notice's detail page.
    QString detailsSubPath;
    // Set once the detail page yielded an altitude block.
    std::optional<ParseResults> details;

    // Equal when `line` and `detailsSubPath` are; the other fields take no part.
    bool operator==(const FAANotam &other) const;

    // The restriction's period as the menu names it: with exactly two dates, both in the medium
    // date style in US Central time (the current year cut where it stands between blanks);
    // otherwise the line, less a few fixed texts, up to its first "through".
    QString displayDay(const Clock &clock) const;

    // The notice's one menu entry: a 40-unit title with the altitude after it, shown as a
    // two-column row.
    QList<MenuItem::Ptr> menuItems(MenuTarget *target, const QString &action,
                                   const Clock &clock) const;

    // The notices in ascending order of their first date. Among equal first dates the later in
    // the input comes first; a notice without dates keeps its place, and no dated notice moves
    // across it.
    static QList<FAANotam> displaySort(const QList<FAANotam> &notams);
};
