#pragma once

#include "platform/menuitem.h"

#include <QList>
#include <QString>

class MenuTarget;

// One road closure as the county's closure table shows it.
struct CameronCountyRecord
{
    QString dateType;
    QString day;
    QString times;
    QString status;

    // Equal when all four texts are.
    bool operator==(const CameronCountyRecord &other) const;

    // The status says the closure was cancelled or has concluded.
    bool canceledOrEnded() const;

    // The record's one menu entry: "<date type>: <day>" in 40 UTF-16 units, then the hours, or the
    // status when the closure was cancelled or concluded; shown as a two-column row.
    QList<MenuItem::Ptr> menuItems(MenuTarget *target, const QString &action) const;
};
