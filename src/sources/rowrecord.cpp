#include "rowrecord.h"

#include "platform/rowview.h"
#include "text/stringutils.h"

bool RowRecord::operator==(const RowRecord &other) const
{
    return canonicallyEqual(left, other.left) && canonicallyEqual(right, other.right);
}

QList<MenuItem::Ptr> RowRecord::menuItems(MenuTarget *target, const QString &action) const
{
    const QString shownLeft = paddedOrCut(left, 40);
    auto item = MenuItem::create(shownLeft + QLatin1Char(' ') + right, action);
    item->setTarget(target);
    item->setView(RowView::makeTwoTextColumnStackForMenus(shownLeft, right));
    return {item};
}
