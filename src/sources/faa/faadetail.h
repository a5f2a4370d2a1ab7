#pragma once

#include <QString>

#include <optional>

// What a TFR detail page yields: its altitude block.
struct ParseResults
{
    // The tag-stripped, trimmed line holding "Altitude:" and the four non-empty lines after it,
    // joined without separator. Never empty.
    QString altitudeLine;

    // "Unlimited", the first whole number of the block followed by " feet", or "".
    QString altitudeDisplay() const;
    bool operator==(const ParseResults &other) const;
};

class FAADetail final
{
public:
    // The altitude block of a detail page, or none when it has none.
    static std::optional<ParseResults> parse(const QString &html);
};
