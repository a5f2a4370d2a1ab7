#pragma once

#include "notices/notice.h"
#include "sources/weberrors.h"

#include <QList>
#include <QString>

// How the scrapers report. The receiver moves every report but updateLastChecked onto the main
// thread itself, so reports may come from any thread.
class ScraperDelegate
{
public:
    virtual ~ScraperDelegate() = default;
    // A read of `source`: its current notices, in the order its section shows them; possibly
    // none.
    virtual void noticesRead(Source source, QList<Notice> notices) = 0;
    // A source answered with something that cannot be used, or gave no answer; `reason` in a few
    // words for the menu ("the server answered 503", "no answer (connection refused)").
    virtual void error(WebErrors error, Source source, const QString &reason) = 0;
    // At the end of every check, on the main thread.
    virtual void updateLastChecked() = 0;
    // Whether the shapes of the source's notices could be read at its check (`problem` says why
    // not), told before its notices. The notices stand either way: the shapes are the map's.
    virtual void areasRead(Source source, const std::optional<QString> &problem)
    {
        (void)source;
        (void)problem;
    }
};
