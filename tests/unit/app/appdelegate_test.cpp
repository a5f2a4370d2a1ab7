#include "app/appdelegate.h"
#include "app/plumetrackinfo.h"

#include "qtprinters.h"
#include "world.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Launch stores the default interval in place of none or zero and registers the mirror without
// storing it; About and Quit reach the program.
TEST(LaunchStep, DefaultsAndTheProgramsEntries)
{
    for (const int stored : {-1, 0, 600}) {
        World world;
        if (stored >= 0)
            world.settings.setValue(stored, "UpdateTimeSeconds");
        world.start();
        EXPECT_EQ(world.settings.stored().value("UpdateTimeSeconds"), stored == 600 ? 600 : 1200);
        EXPECT_TRUE(world.settings.boolForKey("UseMirror"));
        EXPECT_FALSE(world.settings.stored().contains("UseMirror")) << "registered, not stored";
        for (const auto &item : world.menu().items()) {
            if (item->title() == "About Plumetrack")
                item->perform();
        }
        EXPECT_EQ(world.dialogs.activations(), 1);
        EXPECT_EQ(world.dialogs.aboutPanels(), 1);
        world.menu().items().back()->perform();
        EXPECT_EQ(world.quits, 1);
    }
}

TEST(PlumetrackInfo, DecodesByTheKeysAndTheirTypes)
{
    QString error;
    const auto info = PlumetrackInfo::decode(
        R"({"appWebsite": "x", "other": [1], "latestAppBuild": -4, "latestAppVersionReadable": "1.4"})",
        &error);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->latestAppBuild, -4);
    EXPECT_EQ(info->latestAppVersionReadable, "1.4");
    for (const char *json :
         {R"({"latestAppBuild": 12, "latestAppVersionReadable": "1.4"})",
          R"({"latestAppBuild": "12", "latestAppVersionReadable": "1.4", "appWebsite": "x"})",
          R"({"latestAppBuild": 12.5, "latestAppVersionReadable": "1.4", "appWebsite": "x"})",
          R"({"latestAppBuild": 12, "latestAppVersionReadable": 1.4, "appWebsite": "x"})",
          R"([12, "1.4", "x"])", "<html>not found</html>", ""}) {
        error.clear();
        EXPECT_FALSE(PlumetrackInfo::decode(json, &error)) << json;
        EXPECT_FALSE(error.isEmpty()) << json;
    }
}

TEST(UpdateCheck, OnlyOneCheckRunsAtATime)
{
    World world;
    world.start(11);
    world.http.serve(
        SourceAddresses::defaults().versionInfo,
        R"({"latestAppBuild": 12, "latestAppVersionReadable": "1.4", "appWebsite": "x"})");
    int nested = 0;
    world.dialogs.setAnswer([&](const Alert &) {
        // Choosing the command again while the dialog is open.
        ++nested;
        world.application->delegate().checkForUpdates();
        return Dialogs::secondButton;
    });
    world.application->delegate().checkForUpdates();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(world.dialogs.alerts().size(), 1u);
    EXPECT_EQ(world.browser.opened(), std::vector<QUrl> {SourceAddresses::defaults().website});
    world.application->delegate().checkForUpdates();
    EXPECT_EQ(world.dialogs.alerts().size(), 2u) << "the next check after it runs";
}

// Start at Login writes and removes one desktop entry in $XDG_CONFIG_HOME/autostart.
TEST(StartAtLogin, TheEntryFollowsTheToggleAndNothingElseIsTouched)
{
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString entry = home.filePath("autostart/plumetrack.desktop");
    ASSERT_TRUE(QDir().mkpath(home.filePath("autostart")));
    QFile foreign(home.filePath("autostart/other.desktop"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("[Desktop Entry]\n");
    foreign.close();

    World world;
    world.start();
    MenuItem::Ptr toggle;
    for (const auto &item : world.menu().items()) {
        if (item->title() == "Start at Login")
            toggle = item;
    }
    ASSERT_TRUE(toggle);
    toggle->perform();
    QFile written(entry);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("\nExec=/usr/bin/plumetrack\n"));
    world.menu().willOpen();
    EXPECT_EQ(toggle->state(), MenuItem::On);
    toggle->perform();
    EXPECT_FALSE(QFile::exists(entry));
    world.menu().willOpen();
    EXPECT_EQ(toggle->state(), MenuItem::Off);
    EXPECT_TRUE(QFile::exists(foreign.fileName()));

    // A folder that cannot be written: the reason shows in an alert.
    QDir(home.filePath("autostart")).removeRecursively();
    QFile blocker(home.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    toggle->perform();
    ASSERT_EQ(world.dialogs.alerts().size(), 1u);
    EXPECT_EQ(world.dialogs.alerts()[0].messageText, "Plumetrack cannot start at login.");
    EXPECT_FALSE(world.dialogs.alerts()[0].informativeText.isEmpty());
    EXPECT_EQ(toggle->state(), MenuItem::Off);
    qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
