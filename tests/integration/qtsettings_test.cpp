#include "platform/qt/qtsettings.h"

#include "testing.h"

namespace {

// Registered defaults are fallbacks that are never written, and a stored value wins over them; a
// value that is no integer reads as zero.
TEST(QtSettings, RegisteredDefaultsAreFallbacksThatAreNeverWritten)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Plumetrack.conf");
    {
        QtSettings settings(file);
        EXPECT_FALSE(settings.boolForKey("UseMirror"));
        settings.registerDefaults({{"UseMirror", true}});
        EXPECT_TRUE(settings.boolForKey("UseMirror"));
        settings.setValue(600, "UpdateTimeSeconds");
    }
    QtSettings reopened(file);
    EXPECT_EQ(reopened.integerForKey("UpdateTimeSeconds"), 600);
    EXPECT_FALSE(reopened.boolForKey("UseMirror")) << "the registered value was not stored";
    reopened.setValue(false, "UseMirror");
    reopened.registerDefaults({{"UseMirror", true}});
    EXPECT_FALSE(reopened.boolForKey("UseMirror")) << "a stored value wins over a default";
    reopened.setValue("soon", "UpdateTimeSeconds");
    EXPECT_EQ(reopened.integerForKey("UpdateTimeSeconds"), 0);

    // A source is switched off as a boolean of the group "Sources", written by hand too.
    QFile stored(dir.filePath("Sources.conf"));
    ASSERT_TRUE(stored.open(QIODevice::WriteOnly));
    stored.write("[Sources]\nnavwarn=false\ncounty=Off\nstarbase=no\nbulletin=YES\nfaa=maybe\n");
    stored.close();
    QtSettings sources(stored.fileName());
    sources.registerDefaults({{"Sources/navwarn", true},
                              {"Sources/faa", false},
                              {"Sources/county", true},
                              {"Sources/starbase", true},
                              {"Sources/bulletin", false}});
    for (const auto &[key, on] :
         {std::pair {"navwarn", false}, std::pair {"county", false}, std::pair {"starbase", false},
          std::pair {"bulletin", true}, std::pair {"faa", false}})
        EXPECT_EQ(sources.boolForKey(QString("Sources/") + key), on) << key;
}

} // namespace
