#include "app/appdelegate.h"
#include "app/plumetrackinfo.h"
#include "sources/positions.h"

#include "testing.h"
#include "world.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// Launch stores the default interval in place of none or zero and registers the mirror without
// storing it, on where the build has a maker's server; About and Quit reach the program.
TEST(LaunchStep, DefaultsAndTheProgramsEntries)
{
    for (const int stored : {-1, 0, 600}) {
        World world;
        if (stored >= 0)
            world.settings.setValue(stored, "UpdateTimeSeconds");
        if (stored == 600)
            world.addresses.mirror = QUrl("https://maker.example/plumetrack/data/faa.zip");
        world.start();
        EXPECT_EQ(world.settings.stored().value("UpdateTimeSeconds"), stored == 600 ? 600 : 1200);
        EXPECT_EQ(world.settings.boolForKey("UseMirror"), stored == 600);
        EXPECT_FALSE(world.settings.stored().contains("UseMirror")) << "registered, not stored";
        world.entry("About Plumetrack")->perform();
        world.entry("Open Calendar")->perform();
        EXPECT_TRUE(
            world.browser.opened().back().toString().endsWith("/plumetrack/plumetrack.ics"));
        world.entry("Quit Plumetrack")->perform();
        EXPECT_EQ(std::tuple(world.dialogs.activations(), world.dialogs.aboutPanels(), world.quits),
                  std::tuple(1, 1, 1));
    }
}

// "Show Map…" shows the notices shown now where they are, with the state of their shapes; a
// notice chosen on the map opens its page.
TEST(LaunchStep, ShowMapShowsWhatTheMenuShows)
{
    IcuScope chicago {"America/Chicago", "en_US"};
    World world;
    world.start();
    world.loop.drain();
    Notice warning = noticeOf(Source::navwarn,
                              {"NAVAREA IV 704/26",
                               "ROCKET LAUNCHING 092245Z TO 092356Z DEC "
                               "25-58.00N 097-13.00W, 26-02.00N 097-13.00W, "
                               "26-01.00N 096-40.00W"},
                              world.clock);
    warning.area = positions::areaOf(positions::in(warning.text));
    world.controller().noticesRead(Source::navwarn, {warning});
    world.controller().noticesRead(
        Source::county,
        {noticeOf(Source::county,
                  {"Tuesday, December 8, 2026", "7:00 a.m. to 7:00 p.m.", "Closure Scheduled"},
                  world.clock)});
    world.controller().areasRead(Source::faa, QString("the server answered 503"));
    world.loop.drain();
    world.entry("Show Map…")->perform();
    ASSERT_EQ(world.dialogs.maps().size(), 1u);
    const map::Scene &scene = world.dialogs.maps()[0];
    ASSERT_EQ(scene.features.size(), 2);
    EXPECT_EQ(scene.features[0].area.lines.size(), 2) << "the highway and the beach";
    EXPECT_EQ(scene.features[0].label, "road closure · Dec 8, 7:00\u202fAM");
    EXPECT_EQ(scene.features[1].area.polygons.value(0).size(), 3);
    EXPECT_EQ(scene.problems, QStringList {"FAA areas not read: the server answered 503"});
    world.dialogs.openPage()(scene.features[1].notice.page);
    EXPECT_EQ(world.browser.opened().back(), SourceAddresses::defaults().navwarnPage);
    // The open window follows the next read.
    world.controller().noticesRead(Source::navwarn, {});
    world.loop.drain();
    ASSERT_EQ(world.dialogs.maps().size(), 2u);
    EXPECT_EQ(world.dialogs.maps()[1].features.size(), 1);
}

// Each outcome of the update check and its dialog. The second button opens the program's page,
// never the file's appWebsite; "OK" does nothing more.
// Choosing the command again while its dialog is open starts no second check.
TEST(UpdateCheck, EachOutcomeAndItsDialog)
{
    World world;
    world.start();
    size_t opened = 0;
    for (const QString &row : cases("update-check")) {
        const QStringList f = row.split(" ~ ");
        const QStringList run = f[1].split(' ');
        SourceAddresses addresses = SourceAddresses::defaults();
        if (f[0] != "!nowhere")
            addresses.versionInfo = QUrl("https://maker.example/plumetrack/PlumetrackInfo.json");
        if (f[0].startsWith('!'))
            world.http.serve(addresses.versionInfo,
                             f[0] == "!503" ? std::optional(QByteArray("{}")) : std::nullopt,
                             HttpError {f[3], f[0] == "!503" ? 503 : 0});
        else
            world.http.serve(addresses.versionInfo, f[0].toUtf8());
        AppDelegate delegate(world.settings, world.http, world.dialogs, world.browser, addresses,
                             run[0].toLongLong(), nullptr);
        int nested = 0;
        world.dialogs.setAnswer([&](const Alert &) {
            if (nested++ == 0)
                delegate.checkForUpdates();
            return run[1] == "2" ? Dialogs::secondButton : Dialogs::firstButton;
        });
        delegate.checkForUpdates();
        const Alert &alert = world.dialogs.alerts().back();
        EXPECT_EQ(alert.messageText, f[2]) << row;
        EXPECT_EQ(alert.informativeText, f[3]) << row;
        EXPECT_EQ(alert.buttons, f[4].split(", ")) << row;
        opened += run[1] == "2" && alert.buttons.size() == 2;
        EXPECT_EQ(world.browser.opened(),
                  std::vector<QUrl>(opened, SourceAddresses::defaults().website))
            << row;
    }
    EXPECT_EQ(world.dialogs.alerts().size(), 12u) << "one dialog a check";
    EXPECT_EQ(world.dialogs.activations(), 12);
}

// Start at Login writes and removes one desktop entry in $XDG_CONFIG_HOME/autostart.
TEST(StartAtLogin, TheEntryFollowsTheToggleAndNothingElseIsTouched)
{
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString entry = home.filePath("autostart/plumetrack.desktop");
    QFile foreign(home.filePath("autostart/other.desktop"));
    ASSERT_TRUE(QDir().mkpath(home.filePath("autostart")) && foreign.open(QIODevice::WriteOnly));
    World world;
    world.start();
    const MenuItem::Ptr toggle = world.entry("Start at Login");
    ASSERT_TRUE(toggle);
    toggle->perform();
    EXPECT_TRUE(readFile(entry).contains("\nExec=/usr/bin/plumetrack\n"));
    world.menu().willOpen();
    EXPECT_EQ(toggle->state(), MenuItem::On);
    toggle->perform();
    world.menu().willOpen();
    EXPECT_EQ(toggle->state(), MenuItem::Off);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(foreign.exists());
    // A program whose path holds blanks, quotes, a dollar, a backslash and a percent sign.
    ASSERT_FALSE(Autostart(R"(/opt/my "apps"/100%/$plume\track)").setEnabled(true));
    EXPECT_TRUE(readFile(entry).contains(R"(
Exec="/opt/my \\"apps\\"/100%%/\\$plume\\\\track"
)")) << readFile(entry);
    if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
        EXPECT_EQ(QProcess::execute("desktop-file-validate", {entry}), 0);
    }
    ASSERT_FALSE(Autostart("").setEnabled(false));

    // A folder that cannot be written: the reason shows in an alert.
    QDir(home.filePath("autostart")).removeRecursively();
    ASSERT_TRUE(QFile(home.filePath("autostart")).open(QIODevice::WriteOnly));
    toggle->perform();
    ASSERT_EQ(world.dialogs.alerts().size(), 1u);
    EXPECT_EQ(world.dialogs.alerts()[0].messageText, "Plumetrack cannot start at login.");
    EXPECT_FALSE(world.dialogs.alerts()[0].informativeText.isEmpty());
    EXPECT_EQ(toggle->state(), MenuItem::Off);
    qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
