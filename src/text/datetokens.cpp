#include "datetokens.h"

#include <array>
#include <string_view>
#include <vector>

namespace daterecognition {

namespace {

struct Keyword
{
    std::string_view text;
    Key key;
    int value;
    bool full;
};

constexpr Keyword keywords[] = {
    {"january", Key::Month, 1, true},
    {"jan", Key::Month, 1, false},
    {"february", Key::Month, 2, true},
    {"feb", Key::Month, 2, false},
    {"march", Key::Month, 3, true},
    {"mar", Key::Month, 3, false},
    {"april", Key::Month, 4, true},
    {"apr", Key::Month, 4, false},
    {"may", Key::Month, 5, true},
    {"june", Key::Month, 6, true},
    {"jun", Key::Month, 6, false},
    {"july", Key::Month, 7, true},
    {"jul", Key::Month, 7, false},
    {"august", Key::Month, 8, true},
    {"aug", Key::Month, 8, false},
    {"september", Key::Month, 9, true},
    {"sep", Key::Month, 9, false},
    {"sept", Key::Month, 9, false},
    {"october", Key::Month, 10, true},
    {"oct", Key::Month, 10, false},
    {"november", Key::Month, 11, true},
    {"nov", Key::Month, 11, false},
    {"december", Key::Month, 12, true},
    {"dec", Key::Month, 12, false},
    {"sunday", Key::Weekday, 0, true},
    {"sun", Key::Weekday, 0, false},
    {"monday", Key::Weekday, 1, true},
    {"mon", Key::Weekday, 1, false},
    {"tuesday", Key::Weekday, 2, true},
    {"tue", Key::Weekday, 2, false},
    {"tues", Key::Weekday, 2, false},
    {"wednesday", Key::Weekday, 3, true},
    {"wed", Key::Weekday, 3, false},
    {"thursday", Key::Weekday, 4, true},
    {"thu", Key::Weekday, 4, false},
    {"thur", Key::Weekday, 4, false},
    {"thurs", Key::Weekday, 4, false},
    {"friday", Key::Weekday, 5, true},
    {"fri", Key::Weekday, 5, false},
    {"saturday", Key::Weekday, 6, true},
    {"sat", Key::Weekday, 6, false},
    {"am", Key::Am, 0, false},
    {"pm", Key::Pm, 0, false},
    {"a", Key::LetterA, 0, false},
    {"p", Key::LetterP, 0, false},
    {"m", Key::LetterM, 0, false},
    {"noon", Key::Noon, 0, false},
    {"midnight", Key::Midnight, 0, false},
    {"at", Key::At, 0, false},
    {"on", Key::On, 0, false},
    {"of", Key::Of, 0, false},
    {"from", Key::From, 0, false},
    {"between", Key::Between, 0, false},
    {"and", Key::And, 0, false},
    {"through", Key::Through, 0, false},
    {"thru", Key::Through, 0, false},
    {"to", Key::Through, 0, false},
    {"until", Key::Through, 0, false},
    {"till", Key::Through, 0, false},
    {"utc", Key::ZoneWord, 0, false},
    {"gmt", Key::ZoneWord, 0, false},
    {"est", Key::ZoneWord, -300, false},
    {"edt", Key::ZoneWord, -240, false},
    {"cst", Key::ZoneWord, -360, false},
    {"cdt", Key::ZoneWord, -300, false},
    {"mst", Key::ZoneWord, -420, false},
    {"mdt", Key::ZoneWord, -360, false},
    {"pst", Key::ZoneWord, -480, false},
    {"pdt", Key::ZoneWord, -420, false},
    {"local", Key::ZoneWord, 0, true},
    {"ct", Key::CentralTime, 0, false},
    {"central", Key::CentralTime, 0, true},
    {"c", Key::LetterC, 0, false},
    {"t", Key::LetterT, 0, false},
    {"z", Key::Z, 0, false},
    {"st", Key::OrdinalSuffix, 0, false},
    {"nd", Key::OrdinalSuffix, 0, false},
    {"rd", Key::OrdinalSuffix, 0, false},
    {"th", Key::OrdinalSuffix, 0, false},
};

// The keywords by their first letter, so that a word is compared with a few of them only.
const std::array<std::vector<const Keyword *>, 26> &keywordsByLetter()
{
    static const std::array<std::vector<const Keyword *>, 26> byLetter = [] {
        std::array<std::vector<const Keyword *>, 26> letters;
        for (const Keyword &keyword : keywords)
            letters[size_t(keyword.text.front() - 'a')].push_back(&keyword);
        return letters;
    }();
    return byLetter;
}

void classify(Token &token, const QString &text)
{
    const qsizetype length = token.end - token.begin;
    if (length > 9)
        return;
    char lower[10];
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = text.at(token.begin + i).unicode();
        if (c >= u'A' && c <= u'Z')
            lower[i] = char(c - u'A' + 'a');
        else if (c >= u'a' && c <= u'z')
            lower[i] = char(c);
        else
            return;
    }
    const std::string_view word(lower, size_t(length));
    for (const Keyword *keyword : keywordsByLetter()[size_t(lower[0] - 'a')]) {
        if (keyword->text == word) {
            token.key = keyword->key;
            token.value = keyword->value;
            token.full = keyword->full;
            return;
        }
    }
}

bool isSpace(QChar c)
{
    return c.isSpace() || c.unicode() == 0xa0;
}

} // namespace

std::vector<Token> tokenize(const QString &text)
{
    std::vector<Token> tokens;
    tokens.reserve(size_t(text.size() / 3 + 4));
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool gap = true;
    while (i < n) {
        const QChar c = text.at(i);
        if (isSpace(c)) {
            gap = true;
            ++i;
            continue;
        }
        Token token;
        token.begin = i;
        token.gapBefore = gap;
        gap = false;
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            token.kind = Kind::Number;
            int64_t value = 0;
            while (i < n && text.at(i).unicode() >= u'0' && text.at(i).unicode() <= u'9') {
                if (token.digits < 9)
                    value = value * 10 + (text.at(i).unicode() - u'0');
                ++token.digits;
                ++i;
            }
            token.number = token.digits <= 9 ? value : -1;
        } else if (c.isLetter()) {
            token.kind = Kind::Word;
            while (i < n && text.at(i).isLetter())
                ++i;
        } else {
            token.kind = Kind::Punct;
            token.punct = c.unicode();
            ++i;
        }
        token.end = i;
        if (token.kind == Kind::Word)
            classify(token, text);
        tokens.push_back(token);
    }
    return tokens;
}

} // namespace daterecognition
