#pragma once

#include "sources/sourceaddresses.h"

#include <functional>
#include <memory>

class Caches;
class Clock;
class HttpClient;
class RunLoop;
class WebView;

// The services the scrapers work with.
struct ScraperEnvironment
{
    HttpClient &http;
    RunLoop &runLoop;
    const Clock &clock;
    const Caches &caches;
    std::function<std::unique_ptr<WebView>()> makeWebView;
    SourceAddresses addresses;
    // Where a diagnostic line goes (standard output unless told).
    std::function<void(const QString &)> diagnostic;
};
