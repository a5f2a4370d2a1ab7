#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The text without its markup tags: every "<" outside a tag opens one, the first ">" after it
// closes it, and both are dropped with everything between. Characters are whole grapheme clusters,
// so a "<" joined to a combining mark is an ordinary character. Nothing else changes: character
// references stay, white space stays.
QString stringRemovingHTML(const QString &text);
QString stringRemovingHTML(QStringView text);

// The text with the references "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and every numeric
// reference (decimal "&#8211;" or hexadecimal "&#x2013;") decoded. Other references, and numeric
// ones that name no character, stay as written.
QString decodingCharacterReferences(QStringView text);

// Equality of Unicode texts under canonical equivalence: a precomposed letter equals the same
// letter written as base letter plus combining mark. No case folding, no trimming.
bool canonicallyEqual(const QString &a, const QString &b);

// The text of UTF-8 bytes; none when they are not valid UTF-8.
std::optional<QString> decodeUtf8(const QByteArray &bytes);

// The text of a page: in the encoding its byte order mark or its markup declares (the HTTP client
// has already brought a body whose header named another to UTF-8), else UTF-8 where the bytes are
// that, else Windows-1252, as browsers read an undeclared page.
QString decodePage(const QByteArray &bytes);

// Text from a page or a feed as one line of printable characters: C0 and C1 control characters
// gone (line breaks and tabs become blanks), white space single, no blank at either end.
QString plainLine(QStringView text);

// The first sentence of a text, white space single: up to the first full stop that ends a word
// of more than one letter ("U.S." goes on), cut at 150 units.
QString firstSentence(const QString &text);

// The text brought to exactly `width` UTF-16 units: filled out at its end with blanks, or cut.
QString paddedOrCut(const QString &text, qsizetype width);

// The text, or its first `width` - 1 UTF-16 units and "…" when it is longer than `width`.
QString shortened(const QString &text, qsizetype width);

// A whole decimal number: an optional "+" or "-", then one or more of the digits 0 to 9 and
// nothing else, within the signed 64-bit range; none otherwise.
std::optional<qint64> parseWholeNumber(QStringView text);

class QJsonValue;
// The text of a JSON field that the feeds write as a string: the string, or the digits of a whole
// number written in its place ("notam_id": 12 reads as "12"); none for anything else.
std::optional<QString> jsonText(const QJsonValue &value);
