#pragma once

#include "sources/county/cameroncountyrecord.h"
#include "sources/faa/faanotam.h"
#include "sources/rowrecord.h"
#include "sources/weberrors.h"

#include <QList>
#include <QString>

// How the scrapers report. The receiver moves every report but updateLastChecked onto the main
// thread itself, so reports may come from any thread.
class ScraperDelegate
{
public:
    virtual ~ScraperDelegate() = default;
    // The finished list of a pass over the FAA list and detail documents; possibly empty.
    virtual void faaDetails(QList<FAANotam> notams) = 0;
    // The county's current road closures; possibly empty.
    virtual void cameronDetails(QList<CameronCountyRecord> records) = 0;
    // The city's current beach closures and road delays; possibly empty.
    virtual void starbaseDetails(QList<RowRecord> rows) = 0;
    // The current launch hazard warnings near the pad, newest first; possibly empty.
    virtual void navigationalWarnings(QList<RowRecord> rows) = 0;
    // After each reading of the bulletin page, and when loading it failed.
    virtual void msib(bool spaceXHazardAreaMentioned, QString titleOfDocument) = 0;
    // A source answered with something that cannot be used, or gave no answer; `reason` in a few
    // words for the menu ("the server answered 503", "no answer (connection refused)").
    virtual void error(WebErrors error, Source source, const QString &reason) = 0;
    // At the end of every check, on the main thread.
    virtual void updateLastChecked() = 0;
};
