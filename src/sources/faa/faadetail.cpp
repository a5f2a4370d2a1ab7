#include "faadetail.h"

#include "text/stringutils.h"

#include <QStringList>

std::optional<ParseResults> FAADetail::parse(const QString &html)
{
    QString result;
    int window = 0;
    for (const QStringView rawLine : QStringView(html).split(u'\n')) {
        const QString line = stringRemovingHTML(rawLine).trimmed();
        if (line.isEmpty())
            continue;
        if (line.contains(u"Altitude:"))
            window = 5;
        if (window > 0) {
            result += line;
            --window;
        }
    }
    if (result.isEmpty())
        return std::nullopt;
    return ParseResults {result};
}

QString ParseResults::altitudeDisplay() const
{
    if (altitudeLine.toLower().contains(u"unlimited"))
        return QStringLiteral("Unlimited");
    for (const QStringView piece : QStringView(altitudeLine).split(u' ', Qt::SkipEmptyParts)) {
        if (const auto number = parseWholeNumber(piece))
            return QString::number(*number) + QStringLiteral(" feet");
    }
    return {};
}

bool ParseResults::operator==(const ParseResults &other) const
{
    return canonicallyEqual(altitudeLine, other.altitudeLine);
}
