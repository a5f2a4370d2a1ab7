#include "faadetail.h"

#include "text/stringutils.h"

#include <QStringList>
#include <QXmlStreamReader>

#include <limits>

namespace {

// One vertical limit of an area, as its three elements give it.
struct Limit
{
    QString code; // ALT, HEI or STD
    QString value; // a number, or UNL, SFC, GND
    QString unit; // FT or FL
};

// "<feet> feet <ref>", flight levels in hundreds of feet; none when the value is no whole number.
std::optional<QString> feetOf(const Limit &limit)
{
    const std::optional<qint64> number = parseWholeNumber(limit.value.trimmed());
    if (!number)
        return std::nullopt;
    qint64 feet = *number;
    if (limit.unit.trimmed().compare(QLatin1String("FL"), Qt::CaseInsensitive) == 0) {
        if (feet > std::numeric_limits<qint64>::max() / 100
            || feet < std::numeric_limits<qint64>::min() / 100)
            return std::nullopt;
        feet *= 100;
    }
    QString text = QString::number(feet) + QStringLiteral(" feet");
    const QString code = limit.code.trimmed().toUpper();
    if (code == QLatin1String("ALT") || code == QLatin1String("STD"))
        text += QStringLiteral(" MSL");
    else if (code == QLatin1String("HEI"))
        text += QStringLiteral(" AGL");
    return text;
}

std::optional<QString> upperOf(const Limit &limit)
{
    if (limit.value.trimmed().compare(QLatin1String("UNL"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("UNLIMITED");
    return feetOf(limit);
}

QString lowerOf(const Limit &limit)
{
    const QString value = limit.value.trimmed();
    if (value.compare(QLatin1String("SFC"), Qt::CaseInsensitive) == 0
        || value.compare(QLatin1String("GND"), Qt::CaseInsensitive) == 0
        || parseWholeNumber(value) == 0)
        return QStringLiteral("the surface");
    return feetOf(limit).value_or(value);
}

// The limit field that a direct child of an area fills, or none.
QString *fieldOf(QStringView name, Limit &upper, Limit &lower)
{
    if (name == u"codeDistVerUpper")
        return &upper.code;
    if (name == u"valDistVerUpper")
        return &upper.value;
    if (name == u"uomDistVerUpper")
        return &upper.unit;
    if (name == u"codeDistVerLower")
        return &lower.code;
    if (name == u"valDistVerLower")
        return &lower.value;
    if (name == u"uomDistVerLower")
        return &lower.unit;
    return nullptr;
}

} // namespace

std::optional<ParseResults> FAADetail::parse(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.startsWith(u'<') && trimmed.contains(u"<XNOTAM-Update"))
        return parseXNotam(trimmed.toString());
    return parseHtml(text);
}

std::optional<ParseResults> FAADetail::parseXNotam(const QString &xml)
{
    QXmlStreamReader reader(xml);
    std::optional<QString> block;
    int depth = 0;
    int areaDepth = -1; // the depth of the area being read, -1 outside one
    Limit upper;
    Limit lower;
    QString *field = nullptr;
    bool rootSeen = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (!rootSeen) {
                rootSeen = true;
                if (reader.name() != u"XNOTAM-Update")
                    return std::nullopt;
            }
            if (areaDepth < 0 && reader.name() == u"aseTFRArea") {
                areaDepth = depth;
                upper = lower = Limit();
            } else if (areaDepth >= 0 && depth == areaDepth + 1) {
                field = fieldOf(reader.name(), upper, lower);
            }
            break;
        case QXmlStreamReader::Characters:
            if (field && depth == areaDepth + 1)
                *field += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (depth == areaDepth + 1)
                field = nullptr;
            if (depth == areaDepth) {
                areaDepth = -1;
                const std::optional<QString> top = upperOf(upper);
                if (!block && top) {
                    const QString bottom = lowerOf(lower);
                    block = bottom.isEmpty()
                        ? QStringLiteral("Altitude: Up to and including ") + *top
                        : QStringLiteral("Altitude: From ") + bottom
                            + QStringLiteral(" up to and including ") + *top;
                }
            }
            --depth;
            break;
        default:
            break;
        }
    }
    // A document cut short is never half-read.
    if (reader.hasError() || !block)
        return std::nullopt;
    return ParseResults {*block};
}

std::optional<ParseResults> FAADetail::parseHtml(const QString &html)
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
            // One blank between lines, so that "including" and "18000" stay two words.
            if (!result.isEmpty())
                result += u' ';
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
