#include "daterecognizer.h"

#include <unicode/basictz.h>
#include <unicode/timezone.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace {

// ---------------------------------------------------------------------------------------------
// Days since 1970-01-01 and civil dates, through the standard library's calendar.

namespace chrono = std::chrono;

int64_t daysFromCivil(int64_t y, int m, int d)
{
    return chrono::sys_days(chrono::year(int(y)) / chrono::month(unsigned(m))
                            / chrono::day(unsigned(d)))
        .time_since_epoch()
        .count();
}

struct Civil
{
    int64_t year;
    int month;
    int day;
};

Civil civilFromDays(int64_t z)
{
    const chrono::year_month_day date {chrono::sys_days(chrono::days(z))};
    return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
}

int daysInMonth(int64_t year, int month)
{
    return int(
        unsigned((chrono::year(int(year)) / chrono::month(unsigned(month)) / chrono::last).day()));
}

// 0 = Sunday.
int weekdayOfDays(int64_t days)
{
    return int(chrono::weekday(chrono::sys_days(chrono::days(days))).c_encoding());
}

// ---------------------------------------------------------------------------------------------
// Zones.

// A written zone: a fixed offset, the text's zone ("Local"), or US Central time.
struct Zone
{
    bool local = true;
    int offsetSeconds = 0;
    bool central = false; // "CT": America/Chicago, standard or daylight time as the day has it
};

class ZoneResolver
{
public:
    ZoneResolver(const icu::TimeZone &zone)
        : m_zone(zone), m_basic(dynamic_cast<const icu::BasicTimeZone *>(&zone))
    { }

    // Seconds east of UTC in force at the UTC instant `utc`.
    int offsetAtInstant(double utc) const
    {
        int32_t raw = 0, dst = 0;
        UErrorCode status = U_ZERO_ERROR;
        m_zone.getOffset(utc * 1000.0, false, raw, dst, status);
        return U_SUCCESS(status) ? (raw + dst) / 1000 : 0;
    }

    // The UTC instant of a wall-clock time given as seconds since 1970 in local time. A time in a
    // gap takes the offset before the gap; a time that occurs twice takes the first.
    double instantOfLocal(double local) const
    {
        int32_t raw = 0, dst = 0;
        UErrorCode status = U_ZERO_ERROR;
        if (m_basic) {
            m_basic->getOffsetFromLocal(local * 1000.0, UCAL_TZ_LOCAL_FORMER, UCAL_TZ_LOCAL_FORMER,
                                        raw, dst, status);
        } else {
            m_zone.getOffset(local * 1000.0, true, raw, dst, status);
        }
        if (U_FAILURE(status))
            return local;
        return local - (raw + dst) / 1000.0;
    }

private:
    const icu::TimeZone &m_zone;
    const icu::BasicTimeZone *m_basic;
};

// ---------------------------------------------------------------------------------------------
// Tokens.

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
    CentralTime, // "CT"
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
    {"z", Key::Z, 0, false},
    {"st", Key::OrdinalSuffix, 0, false},
    {"nd", Key::OrdinalSuffix, 0, false},
    {"rd", Key::OrdinalSuffix, 0, false},
    {"th", Key::OrdinalSuffix, 0, false},
};

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
    for (const Keyword &keyword : keywords) {
        if (keyword.text == word) {
            token.key = keyword.key;
            token.value = keyword.value;
            token.full = keyword.full;
            return;
        }
    }
}

bool isSpace(QChar c)
{
    return c.isSpace() || c.unicode() == 0xa0;
}

std::vector<Token> tokenize(const QString &text)
{
    std::vector<Token> tokens;
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

// ---------------------------------------------------------------------------------------------
// Parsing.

struct DatePart
{
    std::optional<int64_t> year;
    int month = 0; // 0 with a weekday alone
    int day = 0;
    std::optional<int> weekday; // a weekday alone
};

struct Point
{
    std::optional<DatePart> date;
    std::optional<int> seconds; // time of day
    std::optional<Zone> zone;
    size_t next = 0;
};

class Parser
{
public:
    Parser(const std::vector<Token> &tokens) : m_tokens(tokens) { }

    const Token *at(size_t i) const { return i < m_tokens.size() ? &m_tokens[i] : nullptr; }

    bool isPunct(size_t i, char16_t c) const
    {
        const Token *t = at(i);
        return t && t->kind == Kind::Punct && t->punct == c;
    }
    bool isKey(size_t i, Key key) const
    {
        const Token *t = at(i);
        return t && t->kind == Kind::Word && t->key == key;
    }
    bool glued(size_t i) const
    {
        const Token *t = at(i);
        return t && !t->gapBefore;
    }
    // A number that does not run on from a word or a number before it ("FL180", "1.5").
    bool standsAlone(size_t i) const
    {
        if (i == 0 || at(i)->gapBefore)
            return true;
        const Token &before = m_tokens[i - 1];
        if (before.kind != Kind::Punct)
            return false;
        return before.punct != u'.' && before.punct != u'/' && before.punct != u':'
            && before.punct != u'-' && before.punct != u'\'' && before.punct != u'"';
    }
    // The token after a number must not glue more digits or letters onto it.
    bool endsCleanly(size_t i) const
    {
        const Token *t = at(i);
        if (!t || t->gapBefore)
            return true;
        if (t->kind == Kind::Punct)
            return !(t->punct == u'/'
                     || (t->punct == u':' && at(i + 1) && glued(i + 1)
                         && at(i + 1)->kind == Kind::Number));
        return false;
    }

    // "8th", "8", "08": a day of the month, with the index after it.
    std::optional<std::pair<int, size_t>> dayNumber(size_t i) const
    {
        const Token *t = at(i);
        if (!t || t->kind != Kind::Number || t->digits > 2 || t->number < 1 || t->number > 31)
            return std::nullopt;
        size_t next = i + 1;
        if (isKey(next, Key::OrdinalSuffix) && glued(next))
            ++next;
        else if (!endsCleanly(next))
            return std::nullopt;
        return std::pair {int(t->number), next};
    }

    // A four-digit year.
    std::optional<std::pair<int64_t, size_t>> year(size_t i) const
    {
        const Token *t = at(i);
        if (!t || t->kind != Kind::Number || t->digits != 4 || t->number < 1900 || t->number > 2199)
            return std::nullopt;
        if (!endsCleanly(i + 1) || (isPunct(i + 1, u':') && glued(i + 1)))
            return std::nullopt;
        return std::pair {t->number, i + 1};
    }

    // [","] year
    std::optional<std::pair<int64_t, size_t>> trailingYear(size_t i) const
    {
        if (isPunct(i, u','))
            ++i;
        return year(i);
    }

    size_t skipMonthDot(size_t i) const { return isPunct(i, u'.') && glued(i) ? i + 1 : i; }

    std::optional<std::pair<DatePart, size_t>> date(size_t i) const
    {
        // [weekday [","]]
        size_t j = i;
        bool weekday = false;
        if (isKey(j, Key::Weekday)) {
            weekday = true;
            j = skipMonthDot(j + 1);
            if (isPunct(j, u','))
                ++j;
        }
        if (auto d = monthFirst(j))
            return d;
        if (auto d = dayFirst(j))
            return d;
        if (auto d = numeric(j))
            return d;
        if (auto d = iso(j))
            return d;
        // A full weekday name on its own.
        if (weekday && at(i)->full) {
            DatePart part;
            part.weekday = at(i)->value;
            return std::pair {part, skipMonthDot(i + 1)};
        }
        return std::nullopt;
    }

    // month ["."] day [ordinal] [[","] year]
    std::optional<std::pair<DatePart, size_t>> monthFirst(size_t i) const
    {
        if (!isKey(i, Key::Month))
            return std::nullopt;
        const int month = at(i)->value;
        const size_t j = skipMonthDot(i + 1);
        const auto day = dayNumber(j);
        if (!day)
            return std::nullopt;
        return withOptionalYear(month, day->first, day->second);
    }

    // A month and day, with the year that may follow at `next`, if they make a date.
    std::optional<std::pair<DatePart, size_t>> withOptionalYear(int month, int day,
                                                                size_t next) const
    {
        DatePart part;
        part.month = month;
        part.day = day;
        if (const auto y = trailingYear(next)) {
            part.year = y->first;
            next = y->second;
        }
        if (!valid(part))
            return std::nullopt;
        return std::pair {part, next};
    }

    // day [ordinal] ["of"] month ["."] [[","] year]
    std::optional<std::pair<DatePart, size_t>> dayFirst(size_t i) const
    {
        if (!at(i) || at(i)->kind != Kind::Number || !standsAlone(i))
            return std::nullopt;
        const auto day = dayNumber(i);
        if (!day)
            return std::nullopt;
        size_t j = day->second;
        if (isKey(j, Key::Of))
            ++j;
        if (!isKey(j, Key::Month))
            return std::nullopt;
        return withOptionalYear(at(j)->value, day->first, skipMonthDot(j + 1));
    }

    // Three numbers glued together by `separator`, of the given digit counts (0: one or two
    // digits), standing alone in the text.
    std::optional<std::array<const Token *, 3>> gluedNumbers(size_t i, char16_t separator,
                                                             std::array<int, 3> digits) const
    {
        std::array<const Token *, 3> numbers {};
        for (size_t k = 0; k < 3; ++k) {
            const size_t index = i + 2 * k;
            const Token *t = at(index);
            if (!t || t->kind != Kind::Number || (k > 0 && (!glued(index) || !glued(index - 1)))
                || (k < 2 && !isPunct(index + 1, separator)))
                return std::nullopt;
            const bool length = digits[k] == 0 ? t->digits <= 2 : t->digits == digits[k];
            if (!length)
                return std::nullopt;
            numbers[k] = t;
        }
        if (!standsAlone(i) || !endsCleanly(i + 5))
            return std::nullopt;
        return numbers;
    }

    // M/D/YYYY or M/D/YY
    std::optional<std::pair<DatePart, size_t>> numeric(size_t i) const
    {
        auto numbers = gluedNumbers(i, u'/', {0, 0, 4});
        if (!numbers)
            numbers = gluedNumbers(i, u'/', {0, 0, 2});
        if (!numbers)
            return std::nullopt;
        const auto [m, d, y] = *numbers;
        DatePart part;
        part.month = int(m->number);
        part.day = int(d->number);
        part.year = y->digits == 2 ? 2000 + y->number : y->number;
        if (!valid(part))
            return std::nullopt;
        return std::pair {part, i + 5};
    }

    // YYYY-MM-DD
    std::optional<std::pair<DatePart, size_t>> iso(size_t i) const
    {
        const auto numbers = gluedNumbers(i, u'-', {4, 2, 2});
        if (!numbers)
            return std::nullopt;
        const auto [y, m, d] = *numbers;
        DatePart part;
        part.year = y->number;
        part.month = int(m->number);
        part.day = int(d->number);
        if (!valid(part))
            return std::nullopt;
        return std::pair {part, i + 5};
    }

    static bool valid(const DatePart &part)
    {
        if (part.month < 1 || part.month > 12 || part.day < 1)
            return false;
        return part.day <= daysInMonth(part.year.value_or(2000), part.month);
    }

    // "am", "a.m.", "a.m", "AM", "pm", ...: 0 for am, 12 for pm.
    std::optional<std::pair<int, size_t>> meridiem(size_t i) const
    {
        if (isKey(i, Key::Am) || isKey(i, Key::Pm)) {
            const int half = isKey(i, Key::Pm) ? 12 : 0;
            size_t next = i + 1;
            if (isPunct(next, u'.') && glued(next))
                ++next;
            return std::pair {half, next};
        }
        if ((isKey(i, Key::LetterA) || isKey(i, Key::LetterP)) && isPunct(i + 1, u'.')
            && glued(i + 1) && isKey(i + 2, Key::LetterM) && glued(i + 2)) {
            const int half = isKey(i, Key::LetterP) ? 12 : 0;
            size_t next = i + 3;
            if (isPunct(next, u'.') && glued(next))
                ++next;
            return std::pair {half, next};
        }
        return std::nullopt;
    }

    // A time of day in seconds, with the index after it, and a zone glued to it ("1300Z").
    // `afterDate`: the time follows a date, so a four-digit number that could be a year can only
    // be a time here.
    std::optional<Point> time(size_t i, bool afterDate = false) const
    {
        const Token *t = at(i);
        if (!t)
            return std::nullopt;
        if (isKey(i, Key::Noon) || isKey(i, Key::Midnight)) {
            Point p;
            p.seconds = isKey(i, Key::Noon) ? 12 * 3600 : 0;
            p.next = i + 1;
            return p;
        }
        if (t->kind != Kind::Number || !standsAlone(i))
            return std::nullopt;
        // H:MM[:SS] [meridiem]
        if (t->digits <= 2 && isPunct(i + 1, u':') && glued(i + 1) && glued(i + 2)) {
            const Token *m = at(i + 2);
            if (!m || m->kind != Kind::Number || m->digits != 2 || m->number > 59)
                return std::nullopt;
            int64_t seconds = 0;
            size_t next = i + 3;
            if (isPunct(next, u':') && glued(next) && glued(next + 1) && at(next + 1)
                && at(next + 1)->kind == Kind::Number && at(next + 1)->digits == 2
                && at(next + 1)->number <= 59) {
                seconds = at(next + 1)->number;
                next += 2;
            }
            return clock(t->number, m->number, seconds, next, true);
        }
        // H meridiem
        if (t->digits <= 2) {
            if (!meridiem(i + 1))
                return std::nullopt;
            return clock(t->number, 0, 0, i + 1, false);
        }
        // HHMM followed by a zone
        if (t->digits == 4) {
            const int64_t hours = t->number / 100, minutes = t->number % 100;
            if (hours > 23 || minutes > 59
                || (!afterDate && t->number >= 1900 && t->number <= 2199))
                return std::nullopt;
            const size_t next = i + 1;
            const bool zulu = isKey(next, Key::Z) && glued(next);
            if (!zulu && !(isKey(next, Key::ZoneWord) && at(next)->gapBefore))
                return std::nullopt;
            Point p;
            p.seconds = int(hours * 3600 + minutes * 60);
            p.next = next;
            return p;
        }
        return std::nullopt;
    }

    std::optional<Point> clock(int64_t hours, int64_t minutes, int64_t seconds, size_t next,
                               bool twentyFourHourAllowed) const
    {
        if (const auto half = meridiem(next)) {
            if (hours < 1 || hours > 12)
                return std::nullopt;
            hours = hours % 12 + half->first;
            next = half->second;
        } else if (!twentyFourHourAllowed || hours > 23) {
            return std::nullopt;
        }
        if (!endsCleanly(next) && !(isKey(next, Key::Z) && glued(next)))
            return std::nullopt;
        Point p;
        p.seconds = int(hours * 3600 + minutes * 60 + seconds);
        p.next = next;
        return p;
    }

    std::optional<std::pair<Zone, size_t>> zone(size_t i) const
    {
        if (isKey(i, Key::Z) && glued(i))
            return std::pair {Zone {false, 0}, i + 1};
        if (isKey(i, Key::CentralTime))
            return std::pair {Zone {false, 0, true}, i + 1};
        if (!isKey(i, Key::ZoneWord))
            return std::nullopt;
        const Token *t = at(i);
        return std::pair {t->full ? Zone {true, 0} : Zone {false, t->value * 60}, i + 1};
    }

    // A date, a time, or both in either order; then an optional zone.
    std::optional<Point> point(size_t i) const
    {
        Point p;
        if (const auto d = date(i)) {
            p.date = d->first;
            p.next = d->second;
            size_t j = p.next;
            if (isPunct(j, u',') || isKey(j, Key::At))
                ++j;
            if (const auto t = time(j, true)) {
                p.seconds = t->seconds;
                p.next = t->next;
            }
        } else if (const auto t = time(i)) {
            p.seconds = t->seconds;
            p.next = t->next;
            size_t j = p.next;
            if (const auto z = zone(j)) {
                p.zone = z->first;
                j = z->second;
                p.next = j;
            }
            if (isPunct(j, u',') || isKey(j, Key::On) || isKey(j, Key::At))
                ++j;
            if (const auto d = date(j)) {
                p.date = d->first;
                p.next = d->second;
            }
        } else {
            return std::nullopt;
        }
        if (const auto z = zone(p.next)) {
            p.zone = z->first;
            p.next = z->second;
        }
        return p;
    }

    // The end of a span that is only a day of the month, with an optional year; `afterDash`: it
    // may stand glued to the dash before it ("Jul 17-19").
    std::optional<Point> bareDay(size_t i, bool afterDash) const
    {
        if (!at(i) || at(i)->kind != Kind::Number || !(afterDash || standsAlone(i)))
            return std::nullopt;
        const auto day = dayNumber(i);
        if (!day)
            return std::nullopt;
        Point p;
        DatePart part;
        part.day = day->first;
        p.next = day->second;
        if (const auto y = trailingYear(p.next)) {
            part.year = y->first;
            p.next = y->second;
        }
        p.date = part;
        if (const auto z = zone(p.next)) {
            p.zone = z->first;
            p.next = z->second;
        }
        return p;
    }

private:
    const std::vector<Token> &m_tokens;
};

// ---------------------------------------------------------------------------------------------
// Completing what was not written.

class Completer
{
public:
    Completer(double reference, const ZoneResolver &zone, std::optional<Zone> written)
        : m_reference(reference), m_zone(zone), m_written(written)
    {
        const double local = reference + offsetAt(reference);
        m_today = int64_t(std::floor(local / 86400.0));
    }

    double instant(int64_t days, int seconds) const
    {
        const double local = double(days) * 86400.0 + seconds;
        if (m_written && !m_written->local)
            return local - m_written->offsetSeconds;
        return m_zone.instantOfLocal(local);
    }

    int64_t today() const { return m_today; }
    Civil todayCivil() const { return civilFromDays(m_today); }

    // The year that puts month/day closest to the reference time.
    int64_t closestYear(int month, int day, int seconds) const
    {
        const int64_t base = todayCivil().year;
        int64_t best = base;
        double bestDistance = -1;
        for (int64_t y = base - 1; y <= base + 1; ++y) {
            if (day > daysInMonth(y, month))
                continue;
            const double distance
                = std::abs(instant(daysFromCivil(y, month, day), seconds) - m_reference);
            if (bestDistance < 0 || distance < bestDistance) {
                best = y;
                bestDistance = distance;
            }
        }
        return best;
    }

private:
    double offsetAt(double utc) const
    {
        if (m_written && !m_written->local)
            return m_written->offsetSeconds;
        return m_zone.offsetAtInstant(utc);
    }

    double m_reference;
    const ZoneResolver &m_zone;
    std::optional<Zone> m_written;
    int64_t m_today = 0;
};

constexpr int noon = 12 * 3600;

int64_t daysOf(int64_t year, int month, int day)
{
    return daysFromCivil(year, month, std::min(day, daysInMonth(year, month)));
}

int64_t weekdayDays(const Completer &c, int weekday)
{
    const int64_t today = c.today();
    return today + (weekday - weekdayOfDays(today) + 7) % 7;
}

// The start and end instants of a match.
std::pair<double, double> complete(const Point &start, const std::optional<Point> &end,
                                   const Completer &c)
{
    const int startSeconds = start.seconds.value_or(noon);
    if (!end) {
        int64_t days = c.today();
        if (start.date && start.date->weekday) {
            days = weekdayDays(c, *start.date->weekday);
        } else if (start.date) {
            const DatePart &d = *start.date;
            const int64_t year = d.year ? *d.year : c.closestYear(d.month, d.day, startSeconds);
            days = daysOf(year, d.month, d.day);
        }
        const double instant = c.instant(days, startSeconds);
        return {instant, instant};
    }

    const int endSeconds = end->seconds.value_or(noon);
    const DatePart *sd = start.date && !start.date->weekday ? &*start.date : nullptr;
    const DatePart *ed = end->date && !end->date->weekday ? &*end->date : nullptr;
    const bool endIsBareDay = ed && ed->month == 0;

    // The start's day.
    int64_t startDays = c.today();
    bool startYearFromEnd = false;
    int64_t startYear = 0;
    if (sd) {
        if (sd->year) {
            startYear = *sd->year;
        } else if (ed && ed->year) {
            startYear = *ed->year;
            startYearFromEnd = true;
        } else {
            startYear = c.closestYear(sd->month, sd->day, startSeconds);
        }
        startDays = daysOf(startYear, sd->month, sd->day);
    } else if (start.date && start.date->weekday) {
        startDays = weekdayDays(c, *start.date->weekday);
    } else if (ed && !endIsBareDay) {
        // A time first, a date after it: the start takes the end's day.
        const int64_t y = ed->year ? *ed->year : c.closestYear(ed->month, ed->day, endSeconds);
        startDays = daysOf(y, ed->month, ed->day);
    }
    const Civil startCivil = civilFromDays(startDays);

    // The end's day.
    int64_t endDays = startDays;
    bool endInheritsDay = false;
    if (ed) {
        const int month = endIsBareDay ? startCivil.month : ed->month;
        int64_t year = ed->year ? *ed->year : startCivil.year;
        endDays = daysOf(year, month, ed->day);
        if (!ed->year && c.instant(endDays, endSeconds) < c.instant(startDays, startSeconds)) {
            if (endIsBareDay) {
                const int nextMonth = month % 12 + 1;
                endDays = daysOf(nextMonth == 1 ? year + 1 : year, nextMonth, ed->day);
            } else {
                endDays = daysOf(year + 1, month, ed->day);
            }
        }
    } else if (end->date && end->date->weekday) {
        endDays = startDays + (*end->date->weekday - weekdayOfDays(startDays) + 7) % 7;
    } else {
        endInheritsDay = true;
    }

    if (startYearFromEnd && sd && startDays > endDays) {
        startYear -= 1;
        startDays = daysOf(startYear, sd->month, sd->day);
    }

    const double startInstant = c.instant(startDays, startSeconds);
    double endInstant = c.instant(endDays, endSeconds);
    if (endInheritsDay && endInstant <= startInstant)
        endInstant = c.instant(endDays + 1, endSeconds);
    return {startInstant, endInstant};
}

} // namespace

std::vector<DateMatch> DateRecognizer::matches(const QString &text, double reference,
                                               const icu::TimeZone &textZone)
{
    std::vector<DateMatch> result;
    const std::vector<Token> tokens = tokenize(text);
    const Parser parser(tokens);
    const ZoneResolver resolver(textZone);
    static const std::unique_ptr<icu::TimeZone> chicago(
        icu::TimeZone::createTimeZone(icu::UnicodeString(u"America/Chicago")));
    const ZoneResolver central(*chicago);

    size_t i = 0;
    while (i < tokens.size()) {
        // "from X to Y" and "between X and Y" include their first word.
        const bool between = parser.isKey(i, Key::Between);
        const bool opener = between || parser.isKey(i, Key::From);
        std::optional<Point> start = opener ? parser.point(i + 1) : parser.point(i);
        if (!start) {
            ++i;
            continue;
        }
        const size_t first = i;

        // "<date> from <time> to <time>": the day at the range's start time.
        size_t j = start->next;
        if (!opener && start->date && !start->seconds && parser.isKey(j, Key::From)) {
            if (const auto t = parser.time(j + 1)) {
                start->seconds = t->seconds;
                j = t->next;
                if (const auto z = parser.zone(j)) {
                    start->zone = z->first;
                    j = z->second;
                }
                start->next = j;
            }
        }

        // An optional connector and end.
        std::optional<Point> end;
        const bool dash = parser.isPunct(j, u'-') || parser.isPunct(j, u'\u2013')
            || parser.isPunct(j, u'\u2014');
        const bool connector
            = between ? parser.isKey(j, Key::And) : parser.isKey(j, Key::Through) || dash;
        if (connector) {
            end = parser.point(j + 1);
            if (!end && start->date && start->date->month != 0)
                end = parser.bareDay(j + 1, dash);
            // A bare time cannot end a span that started without a time.
            if (end && !end->date && !start->seconds)
                end.reset();
        }
        const size_t next = end ? end->next : start->next;

        std::optional<Zone> written = start->zone;
        if (end && end->zone)
            written = end->zone;
        const bool inCentralTime = written && written->central;
        const Completer completer(reference, inCentralTime ? central : resolver,
                                  inCentralTime ? std::nullopt : written);
        const auto [startInstant, endInstant] = complete(*start, end, completer);

        DateMatch match;
        match.position = tokens[first].begin;
        match.length = tokens[next - 1].end - match.position;
        match.start = startInstant;
        match.duration = end ? endInstant - startInstant : 0.0;
        match.hasTime = start->seconds.has_value() || (end && end->seconds.has_value());
        match.hasZone = written.has_value();
        result.push_back(match);
        i = next;
    }
    return result;
}
