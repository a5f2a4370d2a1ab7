#pragma once

#include "notices/source.h"

#include <QUrl>

// Where the sources are read. Each address defaults to the public server and can be replaced by
// an environment variable, which is how tests and demos point the program at loopback servers.
struct SourceAddresses
{
    QUrl faaList; // PLUMETRACK_FAA_LIST_URL: the FAA's JSON list, or a list page of the old shape
    QUrl faaPage; // PLUMETRACK_FAA_PAGE_URL: the FAA's list for people
    QUrl mirror; // PLUMETRACK_MIRROR_URL
    QUrl county; // PLUMETRACK_COUNTY_URL
    QUrl starbase; // PLUMETRACK_STARBASE_URL: the city's beach and road access page
    QUrl msib; // PLUMETRACK_MSIB_URL
    QUrl navwarn; // PLUMETRACK_NAVWARN_URL: NAVAREA IV warnings as JSON
    QUrl navwarnPage; // PLUMETRACK_NAVWARN_PAGE_URL: the warnings for people
    QUrl versionInfo; // PLUMETRACK_VERSION_INFO_URL
    QUrl website; // PLUMETRACK_WEBSITE_URL
    QUrl launches; // PLUMETRACK_LAUNCHES_URL: the launches scheduled from the pad, as JSON
    QUrl faaAreas; // PLUMETRACK_FAA_AREAS_URL: the restrictions' shapes, GeoJSON from the FAA's WFS

    // The page of a source for people: what its section's title opens.
    QUrl pageOf(Source source) const;

    // The public addresses, with the environment's replacements.
    static SourceAddresses fromEnvironment();
    // The public addresses alone.
    static SourceAddresses defaults();
};
