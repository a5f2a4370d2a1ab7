#pragma once

// The sources a check reads.
enum class Source { faa, county, bulletin, starbase, navwarn };

// What went wrong with a source. Only loadFailed is reported; receivers do not tell kinds apart.
enum class WebErrors {
    loadFailed,
};
