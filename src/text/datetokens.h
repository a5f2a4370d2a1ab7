#pragma once

// The words, numbers and marks of a text, as the date recogniser reads them.

#include <QString>

#include <cstdint>
#include <vector>

namespace daterecognition {

enum class Kind { Word, Number, Punct };

enum class Key {
    None,
    Month, // value 1..12
    Weekday, // value 0..6 (Sunday first); full names have `full`
    Am,
    Pm,
    LetterA, // "a" of "a.m."
    LetterP, // "p" of "p.m."
    LetterM, // "m" of "a.m."
    Noon,
    Midnight,
    At,
    On,
    Of,
    From,
    Between,
    And,
    Through, // through, thru, to, until, till
    ZoneWord, // value: offset in minutes; `full` marks "Local"
    CentralTime, // "CT", "Central"
    LetterC, // "C" of "C.T."
    LetterT, // "T" of "C.T."
    Z, // "Z", only glued to a time
    OrdinalSuffix, // st, nd, rd, th
};

struct Token
{
    Kind kind = Kind::Word;
    qsizetype begin = 0;
    qsizetype end = 0;
    bool gapBefore = false; // white space stands before it
    char16_t punct = 0;
    int digits = 0;
    int64_t number = -1; // -1 when it has more than 9 digits
    Key key = Key::None;
    int value = 0;
    bool full = false;
};

// The tokens of a text: runs of letters, runs of digits, and single marks, each with its place
// and, for words, what it means to the grammar.
std::vector<Token> tokenize(const QString &text);

} // namespace daterecognition
