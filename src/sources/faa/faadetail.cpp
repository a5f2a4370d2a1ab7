#include "faadetail.h"

#include "text/stringutils.h"

#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <limits>

namespace {

// One vertical limit of an area, as its three elements give it.
struct XmlLimit
{
    QString code; // ALT, HEI or STD
    QString value; // a number, or UNL, SFC, GND
    QString unit; // FT or FL
};

// "<feet> feet <ref>", flight levels in hundreds of feet; none when the value is no whole number.
std::optional<QString> feetOf(const XmlLimit &limit)
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

// FL999 and above is how AIXM and the FAA write "no upper limit".
constexpr qint64 unlimitedFlightLevel = 999;

std::optional<QString> upperOf(const XmlLimit &limit)
{
    const bool flightLevel
        = limit.unit.trimmed().compare(QLatin1String("FL"), Qt::CaseInsensitive) == 0;
    if (limit.value.trimmed().compare(QLatin1String("UNL"), Qt::CaseInsensitive) == 0
        || (flightLevel
            && parseWholeNumber(limit.value.trimmed()).value_or(0) >= unlimitedFlightLevel))
        return QStringLiteral("UNLIMITED");
    return feetOf(limit);
}

// The first whole number of a text written as words, with the word after it.
std::optional<std::pair<qint64, QString>> firstNumber(QStringView text)
{
    const QList<QStringView> words = text.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (const auto number = parseWholeNumber(words[i]))
            return std::pair {*number, words.value(i + 1).toString()};
    }
    return std::nullopt;
}

// A reference written among the words of a limit.
Limit::Reference referenceIn(QStringView text)
{
    const QList<QStringView> words = text.split(u' ', Qt::SkipEmptyParts);
    for (const QStringView word : words.mid(0, 3)) {
        if (word.compare(u"AGL", Qt::CaseInsensitive) == 0)
            return Limit::Reference::agl;
        if (word.compare(u"MSL", Qt::CaseInsensitive) == 0)
            return Limit::Reference::msl;
    }
    return Limit::Reference::unspecified;
}

// An upper limit written in words: unlimited, a flight level, or a number of feet.
std::optional<Limit> ceilingOf(QStringView text)
{
    static const QRegularExpression flightLevel(QStringLiteral("^FL ?(\\d{1,4})\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (text.startsWith(u"unlimited", Qt::CaseInsensitive))
        return Limit {0, Limit::Reference::unlimited};
    if (const QRegularExpressionMatch level = flightLevel.match(text); level.hasMatch()) {
        const qint64 hundreds = level.captured(1).toLongLong();
        return hundreds >= unlimitedFlightLevel ? Limit {0, Limit::Reference::unlimited}
                                                : Limit {hundreds * 100, Limit::Reference::msl};
    }
    if (const auto number = firstNumber(text))
        return Limit {number->first, referenceIn(text)};
    return std::nullopt;
}

// A lower limit written in words; none for the surface.
std::optional<Limit> floorOf(QStringView text)
{
    const auto number = firstNumber(text);
    if (text.contains(u"surface", Qt::CaseInsensitive) || !number || number->first == 0)
        return std::nullopt;
    const QStringList words = text.toString().split(u' ', Qt::SkipEmptyParts);
    for (const auto &[word, reference] :
         {std::pair {"AGL", Limit::Reference::agl}, std::pair {"MSL", Limit::Reference::msl}}) {
        if (words.contains(QLatin1String(word), Qt::CaseInsensitive))
            return Limit {number->first, reference};
    }
    return Limit {number->first, Limit::Reference::unspecified};
}

QString lowerOf(const XmlLimit &limit)
{
    const QString value = limit.value.trimmed();
    if (value.compare(QLatin1String("SFC"), Qt::CaseInsensitive) == 0
        || value.compare(QLatin1String("GND"), Qt::CaseInsensitive) == 0
        || parseWholeNumber(value) == 0)
        return QStringLiteral("the surface");
    return feetOf(limit).value_or(value);
}

// The limit field that a direct child of an area fills, or none.
QString *fieldOf(QStringView name, XmlLimit &upper, XmlLimit &lower)
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
    XmlLimit upper;
    XmlLimit lower;
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
                upper = lower = XmlLimit();
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
    return ParseResults::of(*block);
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
    return ParseResults::of(result);
}

ParseResults ParseResults::of(const QString &altitudeLine)
{
    ParseResults results {altitudeLine, std::nullopt, std::nullopt};
    // "From FLOOR up to and including CEILING": the ceiling, and the floor above the surface.
    const qsizetype upTo = altitudeLine.indexOf(QLatin1String("up to "), 0, Qt::CaseInsensitive);
    if (upTo >= 0) {
        QStringView above = QStringView(altitudeLine).mid(upTo + 6).trimmed();
        if (above.startsWith(u"and including ", Qt::CaseInsensitive))
            above = above.mid(14).trimmed();
        if ((results.ceiling = ceilingOf(above))) {
            const qsizetype from
                = altitudeLine.indexOf(QLatin1String("from "), 0, Qt::CaseInsensitive);
            if (from >= 0 && from < upTo)
                results.floor = floorOf(QStringView(altitudeLine).mid(from + 5, upTo - from - 5));
            return results;
        }
    }
    if (altitudeLine.toLower().contains(u"unlimited")) {
        results.ceiling = Limit {0, Limit::Reference::unlimited};
        return results;
    }
    for (const QStringView piece : QStringView(altitudeLine).split(u' ', Qt::SkipEmptyParts)) {
        if (const auto number = parseWholeNumber(piece)) {
            results.ceiling = Limit {*number, Limit::Reference::unspecified};
            break;
        }
    }
    return results;
}

bool ParseResults::operator==(const ParseResults &other) const
{
    return canonicallyEqual(altitudeLine, other.altitudeLine);
}
