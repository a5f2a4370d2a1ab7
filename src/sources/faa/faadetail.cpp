#include "faadetail.h"

#include "text/stringutils.h"

#include <QStringList>

#include <charconv>

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

namespace {

// A whole decimal number: an optional sign, then digits only, within 64 bits.
std::optional<qint64> wholeNumber(QStringView piece)
{
    QStringView digits = piece;
    if (digits.startsWith(u'+') || digits.startsWith(u'-'))
        digits = digits.mid(1);
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const std::string ascii = piece.toLatin1().toStdString();
    const char *first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
    qint64 value = 0;
    const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

} // namespace

QString ParseResults::altitudeDisplay() const
{
    if (altitudeLine.toLower().contains(u"unlimited"))
        return QStringLiteral("Unlimited");
    for (const QStringView piece : QStringView(altitudeLine).split(u' ', Qt::SkipEmptyParts)) {
        if (const auto number = wholeNumber(piece))
            return QString::number(*number) + QStringLiteral(" feet");
    }
    return {};
}

bool ParseResults::operator==(const ParseResults &other) const
{
    return canonicallyEqual(altitudeLine, other.altitudeLine);
}
