#include "platform/qt/qtsettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(QtSettings, RegisteredDefaultsAreFallbacksThatAreNeverWritten)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Plumetrack.conf");
    {
        QtSettings settings(file);
        EXPECT_EQ(settings.integerForKey("UpdateTimeSeconds"), 0);
        EXPECT_FALSE(settings.boolForKey("UseMirror"));
        settings.registerDefaults({{"UseMirror", true}});
        EXPECT_TRUE(settings.boolForKey("UseMirror"));
        settings.setValue(600, "UpdateTimeSeconds");
        EXPECT_EQ(settings.integerForKey("UpdateTimeSeconds"), 600);
    }
    {
        QtSettings reopened(file);
        EXPECT_EQ(reopened.integerForKey("UpdateTimeSeconds"), 600);
        EXPECT_FALSE(reopened.boolForKey("UseMirror")) << "the registered value was not stored";
        reopened.setValue(false, "UseMirror");
    }
    {
        QtSettings relaunched(file);
        relaunched.registerDefaults({{"UseMirror", true}});
        EXPECT_FALSE(relaunched.boolForKey("UseMirror")) << "a stored value wins over a default";
    }
}

TEST(QtSettings, AValueThatIsNoIntegerReadsAsZero)
{
    QTemporaryDir dir;
    QtSettings settings(dir.filePath("Plumetrack.conf"));
    settings.setValue("soon", "UpdateTimeSeconds");
    EXPECT_EQ(settings.integerForKey("UpdateTimeSeconds"), 0);
}

} // namespace
