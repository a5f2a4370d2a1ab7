#pragma once

#include "app/application.h"

#include "fakebrowser.h"
#include "fakecaches.h"
#include "fakeclock.h"
#include "fakedialogs.h"
#include "fakehttpclient.h"
#include "fakenotifier.h"
#include "fakerunloop.h"
#include "fakesettings.h"
#include "fakewebview.h"

#include <memory>
#include <vector>

// The whole program on fakes and the virtual clock.
struct World
{
    FakeClock clock {1'796'492'760.0}; // 2026-12-05 17:46 UTC
    FakeRunLoop loop {clock};
    FakeHttpClient http;
    FakeCaches caches;
    FakeSettings settings;
    FakeBrowser browser;
    FakeDialogs dialogs;
    FakeNotifier notifier;
    Notifier *notifierInUse = &notifier; // another notifier for tests of a real one
    std::vector<FakeWebView *> webViews; // every web view made, the newest last
    int quits = 0;
    // What the scrapers are made with besides the fakes.
    std::function<void(Source, bool)> answered;
    bool readBulletinOnce = false;
    std::unique_ptr<Application> application;

    ScraperEnvironment environment()
    {
        return ScraperEnvironment {http,
                                   loop,
                                   clock,
                                   caches,
                                   [this] {
                                       auto view = std::make_unique<FakeWebView>();
                                       webViews.push_back(view.get());
                                       return view;
                                   },
                                   SourceAddresses::defaults(),
                                   {},
                                   answered,
                                   readBulletinOnce};
    }

    Application &start(qint64 runningBuild = 1)
    {
        application = std::make_unique<Application>(Application::Services {
            environment(), settings, dialogs, browser, *notifierInUse, runningBuild,
            [this] { ++quits; }, QStringLiteral("/usr/bin/plumetrack")});
        return *application;
    }

    StatusMenuController &controller() { return application->controller(); }
    Menu &menu() { return application->statusMenu(); }
    FakeWebView &webView() { return *webViews.back(); }
};
