#include "stringutils.h"

#include <QStringDecoder>
#include <QStringView>
#include <QTextBoundaryFinder>

#include <charconv>

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

    out = output.data();
    insideTag = false;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
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
