#pragma once

#include "scrapers/weberrors.h"
#include "sources/county/cameroncountyrecord.h"
#include "sources/faa/faanotam.h"

#include <QList>
#include <QString>

// How the scrapers report. The receiver moves every report but updateLastChecked onto the main
// thread itself, so reports may come from any thread.
class ScraperDelegate
{
public:
    virtual ~ScraperDelegate() = default;
    // The finished list of a pass over the FAA list and detail pages; possibly empty.
    virtual void faaDetails(QList<FAANotam> notams) = 0;
    // The current road closures; possibly empty.
    virtual void cameronDetails(QList<CameronCountyRecord> records) = 0;
    // After each reading of the bulletin page, and when loading it failed.
    virtual void msib(bool spaceXHazardAreaMentioned, QString titleOfDocument) = 0;
    virtual void error(WebErrors error) = 0;
    // At the end of every check, on the main thread.
    virtual void updateLastChecked() = 0;
};
