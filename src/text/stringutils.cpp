#include "stringutils.h"

#include <QJsonValue>
#include <QStringDecoder>
#include <QStringView>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <charconv>
#include <cmath>
#include <memory>

QString stringRemovingHTML(const QString &text)
{
    return stringRemovingHTML(QStringView(text));
}

QString stringRemovingHTML(QStringView text)
{
    if (text.isEmpty())
        return {};
    QString output(text.size(), Qt::Uninitialized);
    QChar *out = output.data();
    bool insideTag = false;
    // In ASCII text every code unit is a character of its own (CR LF aside, which is no tag
    // marker either way); other text is walked by grapheme cluster.
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            break;
        if (!insideTag) {
            if (c == u'<')
                insideTag = true;
            else
                *out++ = QChar(c);
        } else if (c == u'>') {
            insideTag = false;
        }
    }
    if (i == text.size()) {
        output.truncate(out - output.constData());
        return output;
    }

    // Extended grapheme clusters as ICU's character break iterator finds them (a "<" followed by
    // a spacing mark is one character whatever script stands before it). One iterator per thread.
    thread_local const std::unique_ptr<icu::BreakIterator> characters = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> iterator(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(iterator) : nullptr;
    }();
    if (!characters)
        return text.toString();
    const icu::UnicodeString alias(false, reinterpret_cast<const char16_t *>(text.utf16()),
                                   int32_t(text.size()));
    characters->setText(alias);

    out = output.data();
    insideTag = false;
    qsizetype start = characters->first();
    for (qsizetype end = characters->next(); end != icu::BreakIterator::DONE;
         end = characters->next()) {
        const QStringView character = text.mid(start, end - start);
        if (!insideTag) {
            if (character == u"<") {
                insideTag = true;
            } else {
                for (const QChar c : character)
                    *out++ = c;
            }
        } else if (character == u">") {
            insideTag = false;
        }
        start = end;
    }
    output.truncate(out - output.constData());
    return output;
}

namespace {

// The character a reference between "&" and ";" names, or none.
std::optional<char32_t> referenced(QStringView name)
{
    if (name == u"amp")
        return U'&';
    if (name == u"lt")
        return U'<';
    if (name == u"gt")
        return U'>';
    if (name == u"quot")
        return U'"';
    if (name == u"apos")
        return U'\'';
    if (name.size() < 2 || name[0] != u'#')
        return std::nullopt;
    const bool hex = name[1] == u'x' || name[1] == u'X';
    const QStringView digits = name.mid(hex ? 2 : 1);
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    char32_t code = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (hex && u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (hex && u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            return std::nullopt;
        code = code * (hex ? 16 : 10) + char32_t(digit);
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    return code;
}

} // namespace

QString decodingCharacterReferences(QStringView text)
{
    QString output;
    output.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype amp = text.indexOf(u'&', i);
        if (amp < 0)
            break;
        output += text.mid(i, amp - i);
        const qsizetype semicolon = text.indexOf(u';', amp + 1);
        const std::optional<char32_t> character = semicolon > amp && semicolon - amp <= 12
            ? referenced(text.mid(amp + 1, semicolon - amp - 1))
            : std::nullopt;
        if (character) {
            output += QString::fromUcs4(&*character, 1);
            i = semicolon + 1;
        } else {
            output += u'&';
            i = amp + 1;
        }
    }
    output += text.mid(i);
    return output;
}

bool canonicallyEqual(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    return a.normalized(QString::NormalizationForm_D) == b.normalized(QString::NormalizationForm_D);
}

std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString decodePage(const QByteArray &bytes)
{
    QStringDecoder declared = QStringDecoder::decoderForHtml(bytes);
    if (declared.isValid() && QByteArrayView(declared.name()) != "UTF-8")
        return declared.decode(bytes);
    if (const std::optional<QString> text = decodeUtf8(bytes))
        return *text;
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? windows.decode(bytes) : QString::fromLatin1(bytes);
}

QString plainLine(QStringView text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\t' || u == u'\n' || u == u'\r' || u == 0x0b || u == 0x0c || u == 0x85)
            line += u' ';
        else if (u >= 0x20 && (u < 0x7f || u > 0x9f))
            line += c;
    }
    return line.simplified();
}

QString firstSentence(const QString &text)
{
    const QString single = text.simplified();
    for (qsizetype i = single.indexOf(u'.'); i >= 0; i = single.indexOf(u'.', i + 1)) {
        if (i + 1 < single.size() && single[i + 1] != u' ')
            continue;
        const bool abbreviation
            = i >= 1 && single[i - 1].isLetter() && (i == 1 || !single[i - 2].isLetterOrNumber());
        if (!abbreviation)
            return shortened(single.left(i + 1), 150);
    }
    return shortened(single, 150);
}

QString shortened(const QString &text, qsizetype width)
{
    if (text.size() <= width)
        return text;
    qsizetype cut = width - 1;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut; // never half a character
    return text.left(cut) + QChar(0x2026);
}

QString paddedOrCut(const QString &text, qsizetype width)
{
    return text.size() >= width ? text.left(width) : text.leftJustified(width, QLatin1Char(' '));
}

std::optional<qint64> parseWholeNumber(QStringView text)
{
    QStringView digits = text;
    if (digits.startsWith(u'+') || digits.startsWith(u'-'))
        digits = digits.mid(1);
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const QByteArray ascii = text.toLatin1();
    const char *first = ascii.constData() + (ascii.startsWith('+') ? 1 : 0);
    const char *last = ascii.constData() + ascii.size();
    qint64 value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<QString> jsonText(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (std::floor(number) != number || std::abs(number) > 1e15)
        return std::nullopt;
    return QString::number(qint64(number));
}
