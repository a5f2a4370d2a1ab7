#include "scrapers/scrapersroot.h"
#include "sources/msib/msib.h"

#include "platform/qt/qtcaches.h"
#include "platform/qt/qthttpclient.h"
#include "platform/qt/qtrunloop.h"
#include "platform/qt/qtwebview.h"
#include "platform/qt/systemclock.h"

#include "loopbackserver.h"
#include "testing.h"
#include "world.h"

#include <QCoreApplication>

namespace {

// Choosing an interval replaces the scrapers root, and with it the bulletin watcher, while its read
// of the page may be in flight on the real Qt stack: the watcher goes once the web view's own
// handling is over (run under the asan preset). Only the bulletin list answers.
TEST(BulletinOnQt, TheRootReplacedWhileABulletinReadIsInFlight)
{
    LoopbackServer server;
    server.server().Get("/msib-national", [](const httplib::Request &, httplib::Response &r) {
        r.set_content("<td>MSIB 015-26 SpaceX Hazard Area</td>\n", "text/html");
    });
    server.start();
    SourceAddresses a;
    a.faaList = a.mirror = a.county = a.starbase = a.navwarn = server.url("/none");
    a.msib = server.url("/msib-national");
    QtHttpClient http;
    QtRunLoop runLoop {QCoreApplication::instance()};
    SystemClock clock;
    QtCaches caches {QDir::tempPath()};
    RecordingDelegate delegate;
    FakeSettings settings;
    settings.registerDefaults({{ScrapersRoot::settingOf(Source::bulletin), true}});
    const ScraperEnvironment once {
        http, runLoop, clock,   caches, [] { return std::make_unique<QtWebView>(); },
        a,    {},      nullptr, true};
    auto root = ScrapersRoot::create(&delegate, once, settings);
    ASSERT_TRUE(waitFor([&] { return delegate.count("msib") > 0; }, 60'000));
    for (const int delay : {0, 30, 60, 120, 250, 500, 1000}) {
        root = ScrapersRoot::create(&delegate, once, settings);
        waitFor([] { return false; }, delay);
    }
    const std::weak_ptr<MSIB> last = root->msib();
    root.reset();
    EXPECT_TRUE(waitFor([&] { return last.expired(); }, 20'000));
}

} // namespace
