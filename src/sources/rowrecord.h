#pragma once

#include "platform/menuitem.h"

#include <QList>
#include <QString>

class MenuTarget;

// A notice shown as one two-column menu row, as the county's closures are: a left text brought to
// 40 UTF-16 units, and a right text. The city's closures and the navigational warnings are such
// rows.
struct RowRecord
{
    QString left;
    QString right;

    // Equal when both texts are.
    bool operator==(const RowRecord &other) const;

    // One entry titled "<left in 40 units> <right>", shown as a two-column row.
    QList<MenuItem::Ptr> menuItems(MenuTarget *target, const QString &action) const;
};
