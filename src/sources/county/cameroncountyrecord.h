#pragma once

#include "notices/notice.h"

#include <QList>
#include <QString>
#include <QUrl>

// One road closure as the county's closure table shows it.
struct CameronCountyRecord
{
    QString dateType;
    QString day;
    QString times;
    QString status;
    // The windows written in the day and its hours.
    QList<Window> windows = {};

    // Equal when all four texts are.
    bool operator==(const CameronCountyRecord &other) const;

    // The status says the closure was cancelled or has concluded.
    bool canceledOrEnded() const;

    // The closure as a notice, its texts with character references decoded; `page` is the
    // county's page.
    Notice notice(const QUrl &page) const;
};
