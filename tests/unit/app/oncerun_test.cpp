#include "app/commandline.h"
#include "app/oncerun.h"

#include "testing.h"
#include "world.h"

namespace {

using Status = OnceRun::Status;

// The run ends when every source has answered, once; failures the tray does not show (an empty
// list page, refused connections, a page that never arrived) still answer, as failures; silent
// sources are no answer after the time-out. The output formats are run end to end.
TEST(OnceRun, EndsWhenEverySourceHasAnsweredOrTheTimeIsUp)
{
    IcuScope scope {"America/Chicago", "en_US"};
    for (const bool answering : {true, false}) {
        World world;
        int finished = 0;
        OnceRun run(world.loop, 90, [&finished] { ++finished; });
        world.answered = run.hook();
        world.readBulletinOnce = true;
        world.start();
        run.start();
        if (!answering) {
            world.loop.advance(89);
            EXPECT_EQ(finished, 0);
            world.loop.advance(1);
            EXPECT_EQ(finished, 1);
            EXPECT_EQ(run.status(Source::county), Status::noAnswer);
            continue;
        }
        world.http.serve(SourceAddresses::defaults().faaList, QByteArray());
        world.http.respondAll(); // mirror, county, city and warnings refused; the list empty
        world.loop.drain();
        EXPECT_EQ(finished, 0) << "the bulletin has not answered";
        world.webView().failBeforeContent();
        world.loop.drain();
        world.loop.advance(200);
        EXPECT_EQ(finished, 1) << "once";
        for (const Source source :
             {Source::faa, Source::county, Source::bulletin, Source::starbase, Source::navwarn})
            EXPECT_EQ(run.status(source), Status::failed);
        EXPECT_EQ(run.exitStatus(), 1);
        EXPECT_EQ(OnceRun::text(world.controller().statusBar(), world.menu(),
                                world.controller().statusMenuNumberOfDefaultItems()),
                  "🚀👎\n")
            << "the empty list was reported; nothing was shown";
    }
}

TEST(CommandLine, ModesAndOptions)
{
    EXPECT_EQ(CommandLine::parse({}).mode, CommandLine::Mode::Tray);
    EXPECT_EQ(CommandLine::parse({"--help"}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(CommandLine::parse({"--once", "--version"}).mode, CommandLine::Mode::Version);
    const CommandLine once = CommandLine::parse({"--json", "--timeout", "2.5", "--once"});
    EXPECT_EQ(once.mode, CommandLine::Mode::Once);
    EXPECT_EQ(once.format, CommandLine::Format::json);
    EXPECT_EQ(once.timeoutSeconds, 2.5);
    EXPECT_EQ(CommandLine::parse({"--once"}).timeoutSeconds, 90);
    EXPECT_EQ(CommandLine::parse({"--once", "--format", "i3blocks"}).format,
              CommandLine::Format::i3blocks);
    for (const char *bad : {"--frobnicate", "--once --timeout", "--once --timeout 0",
                            "--once --timeout soon", "--json", "--once --format polybar"}) {
        const CommandLine line = CommandLine::parse(QString(bad).split(' '));
        EXPECT_EQ(line.mode, CommandLine::Mode::Invalid) << bad;
        EXPECT_FALSE(line.problem.isEmpty());
    }
    EXPECT_TRUE(CommandLine::version(7).endsWith(" (build 7)"));
}

} // namespace
