#include "app/commandline.h"
#include "app/oncerun.h"

#include "demoworld.h"
#include "icuscope.h"
#include "qtprinters.h"
#include "world.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using Status = OnceRun::Status;

class OnceRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        run = std::make_unique<OnceRun>(world.loop, 90, [this] { ++finished; });
        world.answered = run->hook();
        world.readBulletinOnce = true;
        world.start();
        run->start();
    }

    QString output(bool json)
    {
        const int defaults = world.controller().statusMenuNumberOfDefaultItems();
        const StatusItem &item = world.controller().statusBar();
        return json ? run->json(item, world.menu(), defaults)
                    : OnceRun::text(item, world.menu(), defaults);
    }

    IcuScope scope {"America/Chicago", "en_US"};
    World world;
    std::unique_ptr<OnceRun> run;
    int finished = 0;
};

TEST_F(OnceRunTest, EverySourceAnsweringWithContentEndsTheRun)
{
    const QUrl mirror = SourceAddresses::defaults().mirror;
    world.http.serve(mirror, demo::makeZip({{"faa.html", QByteArray("<html></html>")}}));
    world.http.serve(SourceAddresses::defaults().county,
                     QByteArray("<table><tbody><tr><td>Primary Date</td><td>soon</td>"
                                "<td>8 am</td><td>Scheduled</td></tr></tbody></table>"));
    world.http.serve(SourceAddresses::defaults().starbase, QByteArray("<div id=beach-closure>"));
    world.http.serve(SourceAddresses::defaults().navwarn, QByteArray(R"({"broadcast-warn": []})"));
    world.http.respondAll();
    world.loop.drain();
    EXPECT_EQ(finished, 0);
    world.webView().finish();
    world.webView().answerScripts(QVariant("<html>\n<p>SpaceX Hazard Area</p>\n</html>"));
    world.loop.drain();

    EXPECT_EQ(finished, 1);
    EXPECT_EQ(run->exitStatus(), 0);
    EXPECT_EQ(output(false).split('\n').mid(0, 3),
              (QStringList {"🚀", "🚗 Road Closures", "Primary: soon" + QString(27, ' ') + " 8 am"}));
    const QJsonObject json = QJsonDocument::fromJson(output(true).toUtf8()).object();
    EXPECT_EQ(json["sources"].toObject(),
              (QJsonObject {{"faa", "ok"},
                            {"county", "ok"},
                            {"starbase", "ok"},
                            {"bulletin", "ok"},
                            {"navwarn", "ok"}}));
    EXPECT_EQ(json["menu"].toArray()[1].toObject()["columns"].toArray()[1].toString(), "8 am");
    EXPECT_EQ(json["menu"].toArray()[2].toObject()["separator"].toBool(), true);
    world.loop.advance(200);
    EXPECT_EQ(finished, 1) << "the time-out does not end it twice";
}

TEST_F(OnceRunTest, FailuresTheTrayDoesNotShowStillAnswer)
{
    world.http.serve(SourceAddresses::defaults().faaList, QByteArray());
    world.http.respondAll(); // mirror and county refused, the list page empty
    world.webView().failBeforeContent();
    world.loop.drain();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(run->status(Source::faa), Status::failed);
    EXPECT_EQ(run->status(Source::county), Status::failed);
    EXPECT_EQ(run->status(Source::bulletin), Status::failed);
    EXPECT_EQ(run->exitStatus(), 1);
    EXPECT_EQ(output(false), "🚀👎\n") << "the empty list page was reported; nothing was shown";
}

TEST_F(OnceRunTest, SilentSourcesAreNoAnswerAfterTheTimeOut)
{
    world.loop.advance(89);
    EXPECT_EQ(finished, 0);
    world.loop.advance(1);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(run->status(Source::county), Status::noAnswer);
    EXPECT_TRUE(output(true).contains(R"("county": "no answer")"));
}

TEST(CommandLine, ModesAndOptions)
{
    EXPECT_EQ(CommandLine::parse({}).mode, CommandLine::Mode::Tray);
    EXPECT_EQ(CommandLine::parse({"--help"}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(CommandLine::parse({"--once", "--version"}).mode, CommandLine::Mode::Version);
    const CommandLine once = CommandLine::parse({"--json", "--timeout", "2.5", "--once"});
    EXPECT_EQ(once.mode, CommandLine::Mode::Once);
    EXPECT_EQ(once.format, CommandLine::Format::json);
    EXPECT_EQ(CommandLine::parse({"--once", "--format", "waybar"}).format,
              CommandLine::Format::waybar);
    EXPECT_EQ(once.timeoutSeconds, 2.5);
    EXPECT_EQ(CommandLine::parse({"--once"}).timeoutSeconds, 90);
    for (const QStringList &bad :
         {QStringList {"--frobnicate"}, QStringList {"--once", "--timeout"},
          QStringList {"--once", "--timeout", "0"}, QStringList {"--once", "--timeout", "soon"},
          QStringList {"--json"}, QStringList {"--once", "--format", "polybar"}}) {
        const CommandLine line = CommandLine::parse(bad);
        EXPECT_EQ(line.mode, CommandLine::Mode::Invalid) << bad.join(' ').toStdString();
        EXPECT_FALSE(line.problem.isEmpty());
    }
    EXPECT_TRUE(CommandLine::version(7).endsWith(" (build 7)"));
}

} // namespace
