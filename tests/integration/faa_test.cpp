#include "sources/faa/faaparser.h"

#include "platform/qt/qtcaches.h"
#include "platform/qt/qthttpclient.h"
#include "platform/qt/qtrunloop.h"

#include "demoworld.h"
#include "faapages.h"
#include "fakeclock.h"
#include "loopbackserver.h"
#include "qtprinters.h"
#include "recordingdelegate.h"
#include "waitfor.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using demo::makeZip;
using demo::ZipEntry;

class FaaIntegration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rows = {
            {"1/0001", "SPACE OPERATIONS",
             "BROWNSVILLE, TX, Monday, August 16, 2021 through Friday, August 20, 2021 UTC"},
            {"1/0002", "HAZARDS", "KODIAK, AK, Monday, August 16, 2021 UTC"},
            {"1/0003", "SPACE OPERATIONS",
             "BROWNSVILLE, TX, Monday, August 23, 2021 through Friday, August 27, 2021 UTC New"}};
        page = faaListPage(rows).toStdString();
        auto &s = server.server();
        s.Get("/tfr2/list.html", [this](const httplib::Request &, httplib::Response &r) {
            ++listReads;
            r.set_content(page, "text/html");
        });
        s.Get(R"(/tfr2/save_pages/detail_1_(\d+)\.html)",
              [](const httplib::Request &request, httplib::Response &r) {
                  const std::string feet = request.matches[1] == "0001" ? "18000" : "UNLIMITED";
                  r.set_content("<html><body>\n<p>Altitude: From the surface up to and including "
                                    + feet
                                    + " feet MSL</p>\n<p>Effective Date(s):</p>\n</body></html>\n",
                                "text/html");
              });
        s.Get("/plumetrack/data/faa.zip", [this](const httplib::Request &, httplib::Response &r) {
            if (mirrorBroken) {
                r.status = 502;
                r.set_content("<html>Bad gateway</html>", "text/html");
                return;
            }
            const QByteArray zip = makeZip({{"faa.html", QByteArray::fromStdString(page)}});
            r.set_content(zip.toStdString(), "application/zip");
        });
        server.start();
        SourceAddresses addresses = SourceAddresses::defaults();
        addresses.faaList = server.url("/tfr2/list.html");
        addresses.mirror = server.url("/plumetrack/data/faa.zip");
        scraper = std::make_shared<FAAParser>(ScraperEnvironment {
            http, runLoop, clock, caches, nullptr, addresses, [](const QString &) {}});
        scraper->setDelegate(&delegate);
    }

    std::vector<FaaRow> rows;
    std::string page;
    std::atomic<int> listReads = 0;
    std::atomic<bool> mirrorBroken = false;
    LoopbackServer server;
    QtHttpClient http;
    QtRunLoop runLoop {QCoreApplication::instance()};
    FakeClock clock {1629039600.0}; // 2021-08-15 10:00 in Chicago
    QTemporaryDir cacheRoot;
    QtCaches caches {cacheRoot.filePath("cache")};
    RecordingDelegate delegate;
    std::shared_ptr<FAAParser> scraper;
};

QStringList summary(const QList<FAANotam> &notams)
{
    QStringList result;
    for (const FAANotam &n : notams)
        result << n.detailsSubPath.section('/', -1) + " "
                + (n.details ? n.details->altitudeDisplay() : QString("-"));
    return result;
}

TEST_F(FaaIntegration, TheMirrorDeliversTheBrownsvilleNoticesWithAltitudes)
{
    scraper->checkFAAUsingMirror();
    ASSERT_TRUE(waitFor([&] { return delegate.count("faaDetails") == 1; }));
    EXPECT_EQ(summary(delegate.faa()[0]),
              (QStringList {"detail_1_0003.html Unlimited", "detail_1_0001.html 18000 feet"}));
    EXPECT_EQ(listReads, 0);
    EXPECT_TRUE(QDir(cacheRoot.filePath("cache")).isEmpty());
}

TEST_F(FaaIntegration, ABrokenMirrorFallsBackToTheLivePage)
{
    mirrorBroken = true;
    scraper->checkFAAUsingMirror();
    ASSERT_TRUE(waitFor([&] { return delegate.count("faaDetails") == 1; }));
    EXPECT_EQ(listReads, 1);
    EXPECT_EQ(delegate.faa()[0].size(), 2);
}

} // namespace
