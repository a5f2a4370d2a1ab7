#pragma once

#include "notices/notice.h"
#include "sources/faa/faadetail.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

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
    // The windows written in `line`.
    QList<Window> windows = {};

    // Equal when `line` and `detailsSubPath` are; the other fields take no part.
    bool operator==(const FAANotam &other) const;

    // The NOTAM number ("6/2998"), from the detail address; empty when it names none.
    QString number() const;
    // The restriction as a notice, once its detail pass is over; `page` is the FAA's list for
    // people.
    Notice notice(const QUrl &page) const;

    // The notices in ascending order of their first date. Among equal first dates the later in
    // the input comes first; a notice without dates keeps its place, and no dated notice moves
    // across it.
    static QList<FAANotam> displaySort(const QList<FAANotam> &notams);
};
