#pragma once

#include <QUrl>

// Where the sources are read. Each address defaults to the public server and can be replaced by
// an environment variable, which is how tests and demos point the program at loopback servers.
struct SourceAddresses
{
    QUrl faaList; // PLUMETRACK_FAA_LIST_URL; detail pages lie in the same directory
    QUrl mirror; // PLUMETRACK_MIRROR_URL
    QUrl county; // PLUMETRACK_COUNTY_URL
    QUrl msib; // PLUMETRACK_MSIB_URL
    QUrl versionInfo; // PLUMETRACK_VERSION_INFO_URL
    QUrl website; // PLUMETRACK_WEBSITE_URL

    // The public addresses, with the environment's replacements.
    static SourceAddresses fromEnvironment();
    // The public addresses alone.
    static SourceAddresses defaults();
};
