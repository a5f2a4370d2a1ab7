#include "cameroncountyrecord.h"

#include "platform/rowview.h"
#include "text/stringutils.h"

bool CameronCountyRecord::operator==(const CameronCountyRecord &other) const
{
    return canonicallyEqual(dateType, other.dateType) && canonicallyEqual(day, other.day)
        && canonicallyEqual(times, other.times) && canonicallyEqual(status, other.status);
}

bool CameronCountyRecord::canceledOrEnded() const
{
    const QString lower = status.toLower();
    return lower.contains(u"cancelled") || lower.contains(u"canceled")
        || lower.contains(u"concluded");
}

QList<MenuItem::Ptr> CameronCountyRecord::menuItems(MenuTarget *target, const QString &action) const
{
    QString type = dateType;
    QString shownDay = day;
    const QString left = paddedOrCut(type.remove(QStringLiteral(" Date")) + QStringLiteral(": ")
                                         + shownDay.remove(QStringLiteral(", 2021")),
                                     40);
    const QString right = canceledOrEnded() ? status : times;
    auto item = MenuItem::create(left + QLatin1Char(' ') + right, action);
    item->setTarget(target);
    item->setView(RowView::makeTwoTextColumnStackForMenus(left, right));
    return {item};
}
