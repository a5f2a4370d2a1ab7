#pragma once

#include <QLatin1String>

#include <array>
#include <utility>

// The sources a check reads.
enum class Source { faa, county, bulletin, starbase, navwarn, launches };

// Each source with the key that names it in the settings (group "Sources"), in `--once`'s output
// and at the start of its notices' keys, in the order the output gives them.
inline constexpr std::array<std::pair<Source, const char *>, 6> sourceKeys {
    {{Source::launches, "launches"},
     {Source::faa, "faa"},
     {Source::county, "county"},
     {Source::starbase, "starbase"},
     {Source::bulletin, "bulletin"},
     {Source::navwarn, "navwarn"}}};

// "faa", "county", ...
inline QLatin1String keyOf(Source source)
{
    for (const auto &[each, key] : sourceKeys) {
        if (each == source)
            return QLatin1String(key);
    }
    return {};
}
