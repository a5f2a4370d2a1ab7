#include "stringutils.h"

#include <QStringDecoder>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

// One step of the walk over a character (a grapheme cluster).
void step(QStringView character, bool &insideTag, QString &output)
{
    if (!insideTag) {
        if (character == u"<")
            insideTag = true;
        else
            output.append(character);
    } else if (character == u">") {
        insideTag = false;
    }
}

} // namespace

QString stringRemovingHTML(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString output;
    output.reserve(text.size());
    bool insideTag = false;
    const bool ascii
        = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        // In ASCII text every code unit is a character of its own (CR LF aside, which is no tag
        // marker either way).
        for (qsizetype i = 0; i < text.size(); ++i)
            step(QStringView(text).mid(i, 1), insideTag, output);
        return output;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        step(QStringView(text).mid(start, end - start), insideTag, output);
        start = end;
    }
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
