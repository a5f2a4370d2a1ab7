#include "cameroncountyrecord.h"

#include "sources/rowrecord.h"
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
    const QString left = type.remove(QStringLiteral(" Date")) + QStringLiteral(": ")
        + shownDay.remove(QStringLiteral(", 2021"));
    // The entry shows the texts with their character references decoded.
    return RowRecord {decodingCharacterReferences(left),
                      decodingCharacterReferences(canceledOrEnded() ? status : times)}
        .menuItems(target, action);
}
