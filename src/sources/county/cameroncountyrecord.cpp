#include "cameroncountyrecord.h"

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

Notice CameronCountyRecord::notice(const QUrl &page) const
{
    Notice notice;
    notice.source = Source::county;
    // A row is its label and its place among the rows of that label (the read makes the second
    // "-2"), never its day: a moved date is the same closure.
    notice.key = QStringLiteral("county-") + digestOf(dateType);
    // Cells as text: a cell written over several lines of the page is one line.
    notice.label = decodingCharacterReferences(dateType).simplified();
    notice.text = decodingCharacterReferences(day).simplified();
    notice.hours = decodingCharacterReferences(times).simplified();
    notice.statusText = decodingCharacterReferences(status).simplified();
    notice.windows = windows;
    if (canceledOrEnded())
        notice.status = notice.statusText.contains(QLatin1String("cancel"), Qt::CaseInsensitive)
            ? Notice::Status::canceled
            : Notice::Status::ended;
    notice.page = page;
    return notice;
}
