#include "faadetail.h"

#include "sources/positions.h"
#include "text/stringutils.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <cmath>
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

// A whole number as a word: "18000", or with thousands grouped by commas, "18,000".
std::optional<qint64> numberOf(QStringView word)
{
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(,\\d{3})+$"));
    if (word.contains(u',') && grouped.match(word).hasMatch())
        return parseWholeNumber(word.toString().remove(u','));
    return parseWholeNumber(word);
}

// The first whole number of a text written as words, with the word after it.
std::optional<std::pair<qint64, QString>> firstNumber(QStringView text)
{
    const QList<QStringView> words = text.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (const auto number = numberOf(words[i]))
            return std::pair {*number, words.value(i + 1).toString()};
    }
    return std::nullopt;
}

// A flight level written at the start of a text ("FL180", "FL 180"), in feet; unlimited from
// FL999.
std::optional<Limit> flightLevelOf(QStringView text)
{
    static const QRegularExpression flightLevel(QStringLiteral("^FL ?(\\d{1,4})\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch level = flightLevel.match(text);
    if (!level.hasMatch())
        return std::nullopt;
    const qint64 hundreds = level.captured(1).toLongLong();
    return hundreds >= unlimitedFlightLevel ? Limit {0, Limit::Reference::unlimited}
                                            : Limit {hundreds * 100, Limit::Reference::msl};
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
    if (text.startsWith(u"unlimited", Qt::CaseInsensitive)
        || text.startsWith(u"UNL", Qt::CaseSensitive))
        return Limit {0, Limit::Reference::unlimited};
    if (const std::optional<Limit> level = flightLevelOf(text))
        return level;
    if (const auto number = firstNumber(text))
        return Limit {number->first, referenceIn(text)};
    return std::nullopt;
}

// A lower limit written in words; none for the surface.
std::optional<Limit> floorOf(QStringView text)
{
    if (const std::optional<Limit> level = flightLevelOf(text.trimmed()))
        return level;
    const auto number = firstNumber(text);
    if (text.contains(u"surface", Qt::CaseInsensitive) || text.trimmed().startsWith(u"SFC")
        || !number || number->first == 0)
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

namespace {

// "25.99361111N", "097.15583333W": degrees, south and west negative; none for anything else.
std::optional<double> coordinateOf(QString text)
{
    text = text.trimmed().toUpper();
    if (text.isEmpty())
        return std::nullopt;
    const QChar hemisphere = text.back();
    const bool negative = hemisphere == u'S' || hemisphere == u'W';
    if (negative || hemisphere == u'N' || hemisphere == u'E')
        text.chop(1);
    bool number = false;
    const double value = text.toDouble(&number);
    if (!number || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// A radius in nautical miles, from its value and unit (nautical miles when none is given).
std::optional<double> nauticalMilesOf(const QString &value, const QString &unit)
{
    bool number = false;
    const double radius = value.trimmed().toDouble(&number);
    if (!number || !(radius > 0) || radius > 500)
        return std::nullopt;
    const QString u = unit.trimmed().toUpper();
    return u == QLatin1String("KM") ? radius / 1.852
        : u == QLatin1String("M")   ? radius / 1852.0
        : u == QLatin1String("FT")  ? radius * 0.3048 / 1852.0
                                    : radius;
}

} // namespace

Area FAADetail::areaOf(const QString &xml)
{
    Area area;
    QXmlStreamReader reader(xml);
    QList<GeoPoint> vertices; // of the group being read
    QMap<QString, QString> fields; // of the vertex or circle being read
    QString field;
    const auto point = [&fields](const char *latitude, const char *longitude) {
        const auto y = coordinateOf(fields.value(QLatin1String(latitude)));
        const auto x = coordinateOf(fields.value(QLatin1String(longitude)));
        const GeoPoint p {y.value_or(1000), x.value_or(1000)};
        return y && x && p.isValid() ? std::optional(p) : std::nullopt;
    };
    const auto circleOf
        = [&](const char *latitude, const char *longitude, const char *radius, const char *unit) {
              const auto centre = point(latitude, longitude);
              const auto miles = nauticalMilesOf(fields.value(QLatin1String(radius)),
                                                 fields.value(QLatin1String(unit)));
              if (centre && miles)
                  area.polygons << positions::circle(*centre, *miles);
          };
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        const QStringView name = reader.name();
        if (token == QXmlStreamReader::StartElement) {
            if (name == u"Avx" || name == u"Cir")
                fields.clear();
            field = name.toString();
        } else if (token == QXmlStreamReader::Characters) {
            fields[field] += reader.text();
        } else if (token == QXmlStreamReader::EndElement) {
            field.clear();
            if (name == u"Avx") {
                if (fields.contains(QStringLiteral("valRadiusArc")))
                    circleOf("geoLatArc", "geoLongArc", "valRadiusArc", "uomRadiusArc");
                else if (const auto vertex = point("geoLat", "geoLong"))
                    vertices << *vertex;
            } else if (name == u"Cir") {
                circleOf("geoLatCen", "geoLongCen", "valRadius", "uomRadius");
            } else if (name == u"abdMergedArea" || name == u"TFRAreaGroup") {
                if (vertices.size() >= 3)
                    area.polygons << vertices;
                vertices.clear();
            }
        }
    }
    if (reader.hasError())
        return {};
    return area;
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
                // Every area with an upper limit, in the detail page's words.
                if (const std::optional<QString> top = upperOf(upper)) {
                    const QString bottom = lowerOf(lower);
                    const QString area = bottom.isEmpty()
                        ? QStringLiteral("Up to and including ") + *top
                        : QStringLiteral("From ") + bottom + QStringLiteral(" up to and including ")
                            + *top;
                    block = block ? *block + QStringLiteral("; ") + area
                                  : QStringLiteral("Altitude: ") + area;
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
    ParseResults results = ParseResults::of(*block);
    results.area = areaOf(xml);
    return results;
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
    // Each "From FLOOR up to [and including | but not including] CEILING" is an area: the block
    // reaches from the lowest floor (the surface when any area starts there) to the highest
    // ceiling.
    bool surface = false;
    qsizetype areaStart = 0;
    for (qsizetype upTo = altitudeLine.indexOf(QLatin1String("up to "), 0, Qt::CaseInsensitive);
         upTo >= 0;
         upTo = altitudeLine.indexOf(QLatin1String("up to "), upTo + 6, Qt::CaseInsensitive)) {
        QStringView above = QStringView(altitudeLine).mid(upTo + 6).trimmed();
        for (const char16_t *words : {u"and including ", u"but not including "}) {
            if (above.startsWith(words, Qt::CaseInsensitive))
                above = above.mid(QStringView(words).size()).trimmed();
        }
        const std::optional<Limit> ceiling = ceilingOf(above);
        if (!ceiling)
            continue;
        const qsizetype from
            = altitudeLine.lastIndexOf(QLatin1String("from "), upTo, Qt::CaseInsensitive);
        const std::optional<Limit> floor = from >= areaStart
            ? floorOf(QStringView(altitudeLine).mid(from + 5, upTo - from - 5))
            : std::nullopt;
        areaStart = upTo + 6;
        if (!floor)
            surface = true;
        else if (!results.floor || floor->feet < results.floor->feet)
            results.floor = floor;
        const bool unlimited
            = results.ceiling && results.ceiling->reference == Limit::Reference::unlimited;
        if (!results.ceiling || ceiling->reference == Limit::Reference::unlimited
            || (!unlimited && ceiling->feet > results.ceiling->feet))
            results.ceiling = ceiling;
    }
    if (results.ceiling) {
        if (surface)
            results.floor.reset();
        return results;
    }
    if (altitudeLine.toLower().contains(u"unlimited")) {
        results.ceiling = Limit {0, Limit::Reference::unlimited};
        return results;
    }
    for (const QStringView piece : QStringView(altitudeLine).split(u' ', Qt::SkipEmptyParts)) {
        if (const auto number = numberOf(piece)) {
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
