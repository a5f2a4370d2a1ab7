#include "sourceaddresses.h"

#include <QByteArray>
#include <QtGlobal>

namespace {

QUrl fromEnvironment(const char *variable, const QUrl &fallback)
{
    const QByteArray value = qgetenv(variable);
    return value.isEmpty() ? fallback : QUrl(QString::fromUtf8(value));
}

} // namespace

SourceAddresses SourceAddresses::defaults()
{
    const QString maker = QStringLiteral(PLUMETRACK_MAKER_URL);
    return {
        QUrl(QStringLiteral("https://tfr.faa.gov/tfrapi/getTfrList")),
        QUrl(QStringLiteral("https://tfr.faa.gov/tfr3/?page=list")),
        QUrl(maker + QStringLiteral("/plumetrack/data/faa.zip")),
        QUrl(QStringLiteral("https://www.cameroncountytx.gov/spacex/")),
        QUrl(QStringLiteral("https://www.starbase.texas.gov/beach-road-access")),
        QUrl(QStringLiteral(
            "https://www.navcen.uscg.gov/"
            "broadcast-notice-to-mariners-search-results?district=8&sector=0&items_per_page=50")),
        QUrl(QStringLiteral("https://msi.nga.mil/api/publications/"
                            "broadcast-warn?navArea=4&status=active&output=json")),
        QUrl(QStringLiteral("https://msi.nga.mil/NavWarnings")),
        QUrl(maker + QStringLiteral("/plumetrack/PlumetrackInfo.json")),
        QUrl(maker + QStringLiteral("/plumetrack")),
        QUrl(QStringLiteral("https://ll.thespacedevs.com/2.3.0/launches/upcoming/"
                            "?location__ids=143&limit=10&mode=normal&ordering=net")),
        QUrl(QStringLiteral("https://tfr.faa.gov/geoserver/TFR/ows?service=WFS&version=1.1.0&"
                            "request=GetFeature&typeName=TFR:V_TFR_LOC&maxFeatures=300&"
                            "outputFormat=application/json&srsname=EPSG:4326")),
    };
}

SourceAddresses SourceAddresses::fromEnvironment()
{
    const SourceAddresses d = defaults();
    return {
        ::fromEnvironment("PLUMETRACK_FAA_LIST_URL", d.faaList),
        ::fromEnvironment("PLUMETRACK_FAA_PAGE_URL", d.faaPage),
        ::fromEnvironment("PLUMETRACK_MIRROR_URL", d.mirror),
        ::fromEnvironment("PLUMETRACK_COUNTY_URL", d.county),
        ::fromEnvironment("PLUMETRACK_STARBASE_URL", d.starbase),
        ::fromEnvironment("PLUMETRACK_MSIB_URL", d.msib),
        ::fromEnvironment("PLUMETRACK_NAVWARN_URL", d.navwarn),
        ::fromEnvironment("PLUMETRACK_NAVWARN_PAGE_URL", d.navwarnPage),
        ::fromEnvironment("PLUMETRACK_VERSION_INFO_URL", d.versionInfo),
        ::fromEnvironment("PLUMETRACK_WEBSITE_URL", d.website),
        ::fromEnvironment("PLUMETRACK_LAUNCHES_URL", d.launches),
        ::fromEnvironment("PLUMETRACK_FAA_AREAS_URL", d.faaAreas),
    };
}

QUrl SourceAddresses::pageOf(Source source) const
{
    switch (source) {
    case Source::faa:
        return faaPage;
    case Source::county:
        return county;
    case Source::starbase:
        return starbase;
    case Source::bulletin:
        return msib;
    case Source::navwarn:
        return navwarnPage;
    case Source::launches:
        return launches;
    }
    return {};
}
