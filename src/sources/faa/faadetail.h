#pragma once

#include "notices/notice.h"

#include <QString>

#include <optional>

// What a TFR detail document yields: its altitude block, and the limits it gives.
struct ParseResults
{
    // The tag-stripped, trimmed line holding "Altitude:" and the four non-empty lines after it,
    // joined by one blank. Never empty.
    QString altitudeLine;
    // How high the restriction reaches. For "From FLOOR up to and including CEILING": the ceiling
    // (unlimited also for FL999 and above), and the floor when that is not the surface. Otherwise
    // unlimited when the block says so, else the first whole number of the block in feet, else
    // none.
    std::optional<Limit> floor;
    std::optional<Limit> ceiling;
    // Where it applies, when an XML document draws it: its areas' vertices, or circles.
    Area area = {};

    // The results of an altitude block.
    static ParseResults of(const QString &altitudeLine);
    bool operator==(const ParseResults &other) const;
};

class FAADetail final
{
public:
    // The altitude block of a detail document, or none when it has none. An XML document whose
    // root is XNOTAM-Update yields the block in the detail page's words, from the first area with
    // an upper limit; any other text is read as an HTML detail page.
    static std::optional<ParseResults> parse(const QString &text);
    // The areas an XML detail document draws: each "abdMergedArea" (or "TFRAreaGroup") with its
    // "Avx" vertices ("geoLat" 25.99361111N, "geoLong" 097.15583333W) is a polygon in their order;
    // a vertex with "geoLatArc", "geoLongArc" and "valRadiusArc" ("uomRadiusArc" NM, KM, M or FT),
    // or a "Cir" with "geoLatCen", "geoLongCen" and "valRadius", is a circle.
    static Area areaOf(const QString &xml);

private:
    static std::optional<ParseResults> parseHtml(const QString &html);
    static std::optional<ParseResults> parseXNotam(const QString &xml);
};
