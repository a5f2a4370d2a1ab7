#include "sources/county/cameroncountyparse.h"
#include "sources/msib/msib.h"

#include "platform/qt/qtcaches.h"
#include "platform/qt/qthttpclient.h"
#include "platform/qt/qtrunloop.h"
#include "platform/qt/qtwebview.h"
#include "platform/qt/systemclock.h"

#include "loopbackserver.h"
#include "qtprinters.h"
#include "recordingdelegate.h"
#include "waitfor.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The bulletin list arrives empty and is filled in by a script after load, as the real one is.
const char *bulletinPage = R"(<!DOCTYPE html>
<html><head><title>MSIB</title></head>
<body><table id="bulletins"></table>
<script>
window.addEventListener('load', function () {
  setTimeout(function () {
    document.getElementById('bulletins').innerHTML =
      '<tr><td>MSIB 014-26 Port Condition</td></tr>\n' +
      '<tr><td>MSIB 015-26 SpaceX Hazard Area Starship Flight 12</td></tr>\n';
  }, 50);
});
</script>
</body></html>
)";

class SourcesOnQt : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QDate today = QDate::currentDate();
        countyPage = QStringLiteral(
                         "<html><body><table><thead><tr><th>Date</th></tr></thead>\n<tbody>\n"
                         "<tr>\n<td>Primary Date</td>\n<td>%1</td>\n<td>8:00 am to 5:00 pm</td>\n"
                         "<td>Closure Scheduled</td>\n</tr>\n"
                         "<tr>\n<td>Secondary Date</td>\n<td>%2</td>\n<td>8:00 am to 5:00 pm</td>\n"
                         "<td>Closure Canceled</td>\n</tr>\n"
                         "<tr>\n<td>Secondary Date</td>\n<td>%3</td>\n<td>8:00 am to 5:00 pm</td>\n"
                         "<td>Closure Scheduled</td>\n</tr>\n</tbody></table></body></html>\n")
                         .arg(today.addDays(1).toString("dddd, MMMM d, yyyy"),
                              today.addDays(2).toString("dddd, MMMM d, yyyy"),
                              today.addDays(-5).toString("dddd, MMMM d, yyyy"))
                         .toStdString();
        server.server().Get("/spacex/", [this](const httplib::Request &, httplib::Response &r) {
            r.set_content(countyPage, "text/html");
        });
        server.server().Get("/my-homeport/safety-Notifications/MSIB",
                            [](const httplib::Request &, httplib::Response &r) {
                                r.set_content(bulletinPage, "text/html");
                            });
        server.start();
    }

    ScraperEnvironment environment()
    {
        SourceAddresses addresses = SourceAddresses::defaults();
        addresses.county = server.url("/spacex/");
        addresses.msib = server.url("/my-homeport/safety-Notifications/MSIB?cotpid=22");
        return ScraperEnvironment {
            http,      runLoop, clock, caches, [] { return std::make_unique<QtWebView>(); },
            addresses, {}};
    }

    std::string countyPage;
    LoopbackServer server;
    QtHttpClient http;
    QtRunLoop runLoop {QCoreApplication::instance()};
    SystemClock clock;
    QtCaches caches {QDir::tempPath()};
    RecordingDelegate delegate;
};

TEST_F(SourcesOnQt, OneCountyCheckReportsTheCurrentClosuresInPageOrder)
{
    auto county = std::make_shared<CameronCountyParse>(environment());
    county->setDelegate(&delegate);
    county->checkCameronCounty();
    ASSERT_TRUE(waitFor([&] { return !delegate.county().empty(); }));
    const QList<CameronCountyRecord> records = delegate.county()[0];
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].dateType, "Primary Date");
    EXPECT_EQ(records[1].status, "Closure Canceled");
}

TEST_F(SourcesOnQt, ABulletinCheckReportsTheLineNamingTheHazardAreaAtTheFirstPoll)
{
    auto watcher = std::make_shared<MSIB>(environment());
    watcher->setDelegate(&delegate);
    watcher->check();
    ASSERT_TRUE(waitFor([&] { return delegate.bulletins().size() >= 2; }, 40'000));
    using Report = std::pair<bool, QString>;
    EXPECT_EQ(delegate.bulletins()[0], (Report {false, ""}));
    EXPECT_EQ(delegate.bulletins()[1],
              (Report {true,
                       "<tr><td>MSIB 015-26 SpaceX Hazard Area Starship Flight 12</td></tr> "
                       "(Latest)"}));
}

} // namespace
