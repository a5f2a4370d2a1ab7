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
        QUrl(QStringLiteral("https://tfr.faa.gov/tfr2/list.html")),
        QUrl(maker + QStringLiteral("/plumetrack/data/faa.zip")),
        QUrl(QStringLiteral("https://www.cameroncounty.us/spacex/")),
        QUrl(QStringLiteral(
            "https://homeport.uscg.mil/my-homeport/safety-Notifications/MSIB?cotpid=22")),
        QUrl(maker + QStringLiteral("/plumetrack/PlumetrackInfo.json")),
        QUrl(maker + QStringLiteral("/plumetrack")),
    };
}

SourceAddresses SourceAddresses::fromEnvironment()
{
    const SourceAddresses d = defaults();
    return {
        ::fromEnvironment("PLUMETRACK_FAA_LIST_URL", d.faaList),
        ::fromEnvironment("PLUMETRACK_MIRROR_URL", d.mirror),
        ::fromEnvironment("PLUMETRACK_COUNTY_URL", d.county),
        ::fromEnvironment("PLUMETRACK_MSIB_URL", d.msib),
        ::fromEnvironment("PLUMETRACK_VERSION_INFO_URL", d.versionInfo),
        ::fromEnvironment("PLUMETRACK_WEBSITE_URL", d.website),
    };
}
