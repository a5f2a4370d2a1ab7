#include "faanotam.h"

#include "text/stringutils.h"

#include <QRegularExpression>

#include <algorithm>

bool FAANotam::operator==(const FAANotam &other) const
{
    return canonicallyEqual(line, other.line)
        && canonicallyEqual(detailsSubPath, other.detailsSubPath);
}

QString FAANotam::number() const
{
    static const QRegularExpression number(QStringLiteral("detail_(\\d+)_(\\d+)"));
    const QRegularExpressionMatch m = number.match(detailsSubPath);
    return m.hasMatch() ? m.captured(1) + u'/' + m.captured(2) : QString();
}

Notice FAANotam::notice(const QUrl &page) const
{
    Notice notice;
    notice.source = Source::faa;
    notice.label = number();
    notice.key = notice.label.isEmpty()
        ? QStringLiteral("faa-") + digestOf(line)
        : QStringLiteral("faa-") + QString(notice.label).replace(u'/', u'-');
    // The line as text: the old list page's keeps its closing tags.
    notice.text = decodingCharacterReferences(stringRemovingHTML(line)).simplified();
    notice.windows = windows;
    notice.page = page;
    // A detail that gives no altitude at all was not what a detail is, though it answered.
    notice.detail = details && (details->floor || details->ceiling) ? Notice::Detail::read
                                                                    : Notice::Detail::notRead;
    if (details) {
        notice.floor = details->floor;
        notice.ceiling = details->ceiling;
        notice.area = details->area;
    }
    return notice;
}

QList<FAANotam> FAANotam::displaySort(const QList<FAANotam> &notams)
{
    QList<FAANotam> sorted = notams;
    const auto byFirstDate
        = [](const FAANotam &a, const FAANotam &b) { return a.dates.first() < b.dates.first(); };
    // Each stretch between notices without dates is ordered on its own: reversed first, so that
    // a stable sort leaves the later of two equal first dates in front.
    auto stretch = sorted.begin();
    while (stretch != sorted.end()) {
        const auto end = std::find_if(stretch, sorted.end(),
                                      [](const FAANotam &n) { return n.dates.isEmpty(); });
        std::reverse(stretch, end);
        std::stable_sort(stretch, end, byFirstDate);
        stretch = end == sorted.end() ? end : end + 1;
    }
    return sorted;
}
