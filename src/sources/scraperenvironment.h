#pragma once

#include "sources/sourceaddresses.h"
#include "sources/weberrors.h"

#include <QString>

#include <functional>
#include <memory>

class Caches;
class Clock;
class HttpClient;
class RunLoop;

// The services the scrapers work with.
struct ScraperEnvironment
{
    HttpClient &http;
    RunLoop &runLoop;
    const Clock &clock;
    const Caches &caches;
    SourceAddresses addresses;
    // Where the diagnostic line of each parsed detail page goes; none when empty.
    std::function<void(const QString &)> diagnostic;
    // Told when a source's check has come to an end: with content (a list, a read page), or not
    // (a reported failure, or one the menu does not show). May be called on any thread, after the
    // delegate has been told. Empty when nobody listens.
    std::function<void(Source, bool withContent)> answered = nullptr;
    // The zone of the place the sources write about: their times without a zone are Brownsville's.
    QString placeZone = QStringLiteral("America/Chicago");

    void answer(Source source, bool withContent) const
    {
        if (answered)
            answered(source, withContent);
    }
};
