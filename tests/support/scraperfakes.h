#pragma once

#include "fakecaches.h"
#include "fakeclock.h"
#include "fakehttpclient.h"
#include "fakerunloop.h"
#include "fakewebview.h"
#include "recordingdelegate.h"

#include "sources/scraperenvironment.h"

// The fakes a scraper works with, at a fixed time, and the environment made of them: public
// addresses, diagnostic lines and answers recorded.
struct ScraperFakes
{
    explicit ScraperFakes(double now) : clock(now) { }

    ScraperEnvironment environment(bool readBulletinOnce = false)
    {
        return ScraperEnvironment {
            http,
            loop,
            clock,
            caches,
            [this] {
                auto view = std::make_unique<FakeWebView>();
                webView = view.get();
                return view;
            },
            SourceAddresses::defaults(),
            [this](const QString &line) { diagnostics << line; },
            [this](Source, bool withContent) { answers.push_back(withContent); },
            readBulletinOnce};
    }
    // Answers every request from the served pages and runs the main thread's work, until quiet.
    void settle()
    {
        while (http.pending() > 0 || loop.pendingTasks() > 0) {
            http.respondAll();
            loop.drain();
        }
    }

    FakeClock clock;
    FakeRunLoop loop {clock};
    FakeHttpClient http;
    FakeCaches caches;
    RecordingDelegate delegate;
    FakeWebView *webView = nullptr;
    QStringList diagnostics;
    std::vector<bool> answers;
};
