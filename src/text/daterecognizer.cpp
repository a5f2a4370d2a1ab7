#include "daterecognizer.h"

#include "datecompletion.h"
#include "datetokens.h"

#include <unicode/timezone.h>

#include <memory>
#include <optional>

using namespace daterecognition;

namespace {

// ---------------------------------------------------------------------------------------------
// The grammar of written dates, times and spans.

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
        if (auto d = monthAndDayBeforeATime(j))
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

    // M/D without a year, only where a time follows it ("12/8 6:30 AM"): alone, two numbers
    // glued by a slash are as likely a runway or a NOTAM number.
    std::optional<std::pair<DatePart, size_t>> monthAndDayBeforeATime(size_t i) const
    {
        const Token *m = at(i);
        const Token *d = at(i + 2);
        if (!m || !d || m->kind != Kind::Number || d->kind != Kind::Number || m->digits > 2
            || d->digits > 2 || !isPunct(i + 1, u'/') || !glued(i + 1) || !glued(i + 2)
            || !standsAlone(i) || !endsCleanly(i + 3))
            return std::nullopt;
        size_t k = i + 3;
        if (isPunct(k, u',') || isKey(k, Key::At))
            ++k;
        const auto t = looseTime(k, false);
        if (!t || t->bareHour)
            return std::nullopt;
        DatePart part;
        part.month = int(m->number);
        part.day = int(d->number);
        if (!valid(part))
            return std::nullopt;
        return std::pair {part, i + 3};
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
            const bool written = at(next) && at(next)->gapBefore
                && (isKey(next, Key::ZoneWord) || isKey(next, Key::CentralTime)
                    || centralLetters(next));
            if (!zulu && !written)
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

    // "C.T.", "C.T": US Central time.
    std::optional<size_t> centralLetters(size_t i) const
    {
        if (!isKey(i, Key::LetterC) || !isPunct(i + 1, u'.') || !glued(i + 1)
            || !isKey(i + 2, Key::LetterT) || !glued(i + 2))
            return std::nullopt;
        return isPunct(i + 3, u'.') && glued(i + 3) ? i + 4 : i + 3;
    }

    std::optional<std::pair<Zone, size_t>> zone(size_t i) const
    {
        if (isKey(i, Key::Z) && glued(i))
            return std::pair {Zone {false, 0}, i + 1};
        if (isKey(i, Key::CentralTime))
            return std::pair {Zone {false, 0, true}, i + 1};
        if (const auto end = centralLetters(i))
            return std::pair {Zone {false, 0, true}, *end};
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

    // A time of day as one side of a range writes it.
    struct LooseTime
    {
        int seconds = 0;
        bool meridiem = false; // "am" or "pm" was written (noon and midnight count)
        bool bareHour = false; // an hour alone, which takes the other side's "am" or "pm"
        bool fourDigits = false; // "2200"
        size_t next = 0;
    };

    // `afterDash`: the time may stand glued to the dash before it ("2 PM-6 PM").
    std::optional<LooseTime> looseTime(size_t i, bool afterDash) const
    {
        const Token *t = at(i);
        if (!t)
            return std::nullopt;
        if (isKey(i, Key::Noon) || isKey(i, Key::Midnight))
            return LooseTime {isKey(i, Key::Noon) ? 12 * 3600 : 0, true, false, false, i + 1};
        if (t->kind != Kind::Number || !(afterDash || standsAlone(i)))
            return std::nullopt;
        if (t->digits <= 2 && isPunct(i + 1, u':') && glued(i + 1) && glued(i + 2)) {
            const Token *m = at(i + 2);
            if (!m || m->kind != Kind::Number || m->digits != 2 || m->number > 59)
                return std::nullopt;
            const auto p = clock(t->number, m->number, 0, i + 3, true);
            if (!p)
                return std::nullopt;
            return LooseTime {*p->seconds, meridiem(i + 3).has_value(), false, false, p->next};
        }
        if (t->digits <= 2) {
            if (meridiem(i + 1)) {
                const auto p = clock(t->number, 0, 0, i + 1, false);
                return p ? std::optional(LooseTime {*p->seconds, true, false, false, p->next})
                         : std::nullopt;
            }
            if (t->number < 1 || t->number > 12 || !endsCleanly(i + 1))
                return std::nullopt;
            return LooseTime {int(t->number) * 3600, false, true, false, i + 1};
        }
        if (t->digits == 4 && t->number / 100 <= 23 && t->number % 100 <= 59
            && (endsCleanly(i + 1) || (isKey(i + 1, Key::Z) && glued(i + 1))))
            return LooseTime {int(t->number / 100 * 3600 + t->number % 100 * 60), false, false,
                              true, i + 1};
        return std::nullopt;
    }

    // A range of times of one day: "2 PM-6 PM", "6:30am-9pm", "2-6 PM", "14:00–22:00", "from
    // 2200 to 0400 CST", "between 6:30 AM and 9:00 PM", "(6:30 AM – 9:00 PM)", with the zone
    // written after either time. `afterDate`: it follows a date, so that "2200" can only be a
    // time. The start and end points carry the times, the start the zone.
    std::optional<std::pair<Point, Point>> timeRange(size_t i, bool afterDate) const
    {
        size_t k = i;
        const bool parenthesis = isPunct(k, u'(');
        if (parenthesis)
            ++k;
        const bool between = isKey(k, Key::Between);
        const bool opened = between || isKey(k, Key::From);
        if (opened)
            ++k;
        std::optional<LooseTime> a = looseTime(k, false);
        if (!a)
            return std::nullopt;
        k = a->next;
        std::optional<Zone> written;
        if (const auto z = zone(k)) {
            written = z->first;
            k = z->second;
        }
        const bool dash = isDash(k);
        if (!(between ? isKey(k, Key::And) : isKey(k, Key::Through) || dash))
            return std::nullopt;
        std::optional<LooseTime> b = looseTime(k + 1, dash);
        if (!b)
            return std::nullopt;
        k = b->next;
        if (const auto z = zone(k)) {
            written = z->first;
            k = z->second;
        }
        // "am" or "pm" written on one side only is the other's too; "11-2 PM" starts in the
        // morning.
        const auto take = [](LooseTime &to, const LooseTime &from) {
            const int half = from.seconds >= 12 * 3600 ? 12 * 3600 : 0;
            to.seconds = to.seconds % (12 * 3600) + half;
            to.meridiem = true;
            to.bareHour = false;
        };
        if (!a->meridiem && b->meridiem && !a->fourDigits && a->seconds <= 12 * 3600) {
            take(*a, *b);
            if (a->seconds > b->seconds)
                a->seconds = (a->seconds + 12 * 3600) % (24 * 3600);
        } else if (!b->meridiem && a->meridiem && b->bareHour) {
            take(*b, *a);
        }
        if (a->bareHour || b->bareHour)
            return std::nullopt;
        // Four digits stand for a time where nothing else can: after a date, after "from" or
        // "between", or before a zone; never two years.
        const auto yearLike = [this](size_t at) {
            const Token *t = this->at(at);
            return t->digits == 4 && t->number >= 1900 && t->number <= 2199;
        };
        if ((a->fourDigits || b->fourDigits) && !written
            && (!(afterDate || opened) || (yearLike(a->next - 1) && yearLike(b->next - 1))))
            return std::nullopt;
        if (parenthesis && isPunct(k, u')'))
            ++k;
        Point start;
        start.seconds = a->seconds;
        start.zone = written;
        Point end;
        end.seconds = b->seconds;
        end.next = k;
        start.next = k;
        return std::pair {start, end};
    }

    bool isDash(size_t i) const
    {
        return isPunct(i, u'-') || isPunct(i, u'\u2013') || isPunct(i, u'\u2014');
    }

    // A day of a list after a date ("Dec 8, 9, 10", "Dec 8 and 9"): a day of the month standing
    // alone that is no time.
    std::optional<std::pair<int, size_t>> listedDay(size_t i) const
    {
        if (!(isPunct(i, u',') || isKey(i, Key::And) || isPunct(i, u'&')))
            return std::nullopt;
        const Token *t = at(i + 1);
        if (!t || t->kind != Kind::Number || !standsAlone(i + 1))
            return std::nullopt;
        const auto day = dayNumber(i + 1);
        if (!day || meridiem(day->second) || isPunct(day->second, u':')
            || (at(day->second) && at(day->second)->kind == Kind::Number))
            return std::nullopt;
        return day;
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

} // namespace

namespace {

// One match as the grammar reads it: its start, its end if it has one, where it stands, and the
// further days a list after it gives.
struct Parsed
{
    Point start;
    std::optional<Point> end;
    size_t first = 0;
    size_t next = 0;
    std::vector<std::pair<DatePart, std::pair<size_t, size_t>>> listed = {}; // day, tokens
};

std::optional<Parsed> parseAt(const Parser &parser, size_t i)
{
    // Every match begins with a number, a month, a weekday, noon or midnight, or "from" or
    // "between": most words and marks begin none.
    const Token &t = *parser.at(i);
    if (t.kind == Kind::Punct
        || (t.kind == Kind::Word && t.key != Key::Month && t.key != Key::Weekday
            && t.key != Key::From && t.key != Key::Between && t.key != Key::Noon
            && t.key != Key::Midnight))
        return std::nullopt;
    // A date with a range of times joined to it: by nothing, ",", ":", a dash, "at", "on",
    // "from", "between" or parentheses.
    if (const auto d = parser.date(i)) {
        size_t j = d->second;
        if (parser.isPunct(j, u',') || parser.isPunct(j, u':') || parser.isDash(j)
            || parser.isKey(j, Key::At) || parser.isKey(j, Key::On))
            ++j;
        for (const size_t k : {d->second, j}) {
            if (auto range = parser.timeRange(k, true)) {
                range->first.date = d->first;
                return Parsed {range->first, range->second, i, range->second.next};
            }
        }
    }
    // A range of times, on the date written after it, else on the day it is read.
    if (auto range = parser.timeRange(i, false)) {
        size_t k = range->second.next;
        if (parser.isPunct(k, u',') || parser.isKey(k, Key::On))
            ++k;
        if (const auto d = parser.date(k)) {
            range->first.date = d->first;
            range->second.next = d->second;
            if (const auto z = parser.zone(d->second)) {
                range->first.zone = z->first;
                range->second.next = z->second;
            }
        }
        return Parsed {range->first, range->second, i, range->second.next};
    }

    // "from X to Y" and "between X and Y" include their first word.
    const bool between = parser.isKey(i, Key::Between);
    const bool opener = between || parser.isKey(i, Key::From);
    std::optional<Point> start = opener ? parser.point(i + 1) : parser.point(i);
    if (!start)
        return std::nullopt;

    // An optional connector and end.
    const size_t j = start->next;
    std::optional<Point> end;
    const bool dash = parser.isDash(j);
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
    Parsed parsed {*start, end, i, end ? end->next : start->next};

    // A date alone may head a list of days: "Dec 8, 9, 10", "Dec 8 and 9, 2026".
    if (!end && !start->seconds && start->date && start->date->month != 0) {
        size_t k = parsed.next;
        while (const auto day = parser.listedDay(k)) {
            DatePart part = *start->date;
            part.day = day->first;
            if (!Parser::valid(part))
                break;
            parsed.listed.push_back({part, {k + 1, day->second}});
            k = day->second;
        }
        if (!parsed.listed.empty()) {
            // A year after the last day is every day's.
            if (const auto y = parser.trailingYear(k)) {
                parsed.start.date->year = parsed.start.date->year.value_or(y->first);
                for (auto &listed : parsed.listed)
                    listed.first.year = y->first;
                k = y->second;
            }
            parsed.next = k;
        }
    }
    return parsed;
}

} // namespace

std::vector<DateMatch> DateRecognizer::matches(const QString &text, double reference,
                                               const icu::TimeZone &textZone)
{
    std::vector<DateMatch> result;
    const std::vector<Token> tokens = tokenize(text);
    const Parser parser(tokens);
    result.reserve(4);
    const ZoneResolver resolver(textZone);
    static const std::unique_ptr<icu::TimeZone> chicago(
        icu::TimeZone::createTimeZone(icu::UnicodeString(u"America/Chicago")));
    const ZoneResolver central(*chicago);

    const auto add
        = [&](const Point &start, const std::optional<Point> &end, size_t first, size_t next) {
              std::optional<Zone> written = start.zone;
              if (end && end->zone)
                  written = end->zone;
              const bool inCentralTime = written && written->central;
              const auto [startInstant, endInstant]
                  = completeMatch(start, end, reference, inCentralTime ? central : resolver,
                                  inCentralTime ? std::nullopt : written);
              DateMatch match;
              match.position = tokens[first].begin;
              match.length = tokens[next - 1].end - match.position;
              match.start = startInstant;
              match.duration = endInstant - startInstant;
              match.hasTime = start.seconds.has_value() || (end && end->seconds.has_value());
              match.hasZone = written.has_value();
              match.hasDate = start.date.has_value() || (end && end->date.has_value());
              result.push_back(match);
          };

    size_t i = 0;
    while (i < tokens.size()) {
        const std::optional<Parsed> parsed = parseAt(parser, i);
        if (!parsed) {
            ++i;
            continue;
        }
        add(parsed->start, parsed->end, parsed->first,
            parsed->listed.empty() ? parsed->next : parsed->listed.front().second.first - 1);
        for (const auto &[day, place] : parsed->listed) {
            Point point = parsed->start;
            point.date = day;
            add(point, std::nullopt, place.first, place.second);
        }
        i = parsed->next;
    }
    return result;
}
