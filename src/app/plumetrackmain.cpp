#include "plumetrackmain.h"

#include "app/application.h"
#include "platform/qt/qtplatform.h"
#include "platform/webview.h"

#include <cstdio>

namespace {

// The diagnostic line of each parsed detail page.
void writeLine(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

ScraperEnvironment environmentOf(QtPlatform &platform)
{
    return ScraperEnvironment {platform.http(),
                               platform.runLoop(),
                               platform.clock(),
                               platform.caches(),
                               [&platform] { return platform.makeWebView(); },
                               SourceAddresses::fromEnvironment(),
                               writeLine};
}

} // namespace

int plumetrackMain(int argc, char **argv)
{
    QtPlatform platform(argc, argv, false);
    if (!platform.acquireSingleInstanceLock()) {
        std::fputs("Plumetrack is already running.\n", stderr);
        return 0;
    }
    Application application({environmentOf(platform), platform.settings(), platform.dialogs(),
                             platform.browser(), AppDelegate::appBuildNumber(),
                             [&platform] { platform.quit(); }});
    platform.showTray(application.controller().statusBar());
    return platform.exec();
}
