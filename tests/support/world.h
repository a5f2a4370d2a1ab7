#pragma once

#include "app/application.h"

#include "fakes.h"
#include "recordingdelegate.h"

#include <memory>
#include <vector>

// An answer to a request: a body or none, and an error: none (0), a transport failure (-1) or an
// HTTP status.
inline std::pair<std::optional<QByteArray>, std::optional<HttpError>>
answer(std::optional<QByteArray> body, int error = 0)
{
    if (error == 0)
        return {body, std::nullopt};
    return {body, HttpError {QStringLiteral("failed"), error < 0 ? 0 : error}};
}

// The program, or one scraper, on fakes and the virtual clock.
struct World
{
    explicit World(double now = 1'796'492'760.0) : clock(now) { } // 2026-12-05 17:46 UTC

    FakeClock clock;
    FakeRunLoop loop {clock};
    FakeHttpClient http;
    FakeCaches caches;
    FakeSettings settings;
    FakeBrowser browser;
    FakeDialogs dialogs;
    FakeNotifier notifier;
    RecordingDelegate delegate; // for a scraper on its own
    std::vector<FakeWebView *> webViews; // every web view made, the newest last
    QStringList diagnostics;
    std::vector<bool> answers; // each source's answer: with content or not
    std::function<void(Source, bool)> answered; // told of each answer too
    bool readBulletinOnce = false;
    int quits = 0;
    std::unique_ptr<Application> application;

    ScraperEnvironment environment()
    {
        const auto view = [this] {
            webViews.push_back(new FakeWebView);
            return std::unique_ptr<WebView>(webViews.back());
        };
        const auto diagnostic = [this](const QString &line) { diagnostics << line; };
        const auto answer = [this](Source source, bool withContent) {
            answers.push_back(withContent);
            if (answered)
                answered(source, withContent);
        };
        return {http,       loop,   clock,           caches, view, SourceAddresses::defaults(),
                diagnostic, answer, readBulletinOnce};
    }

    Application &start(qint64 runningBuild = 1)
    {
        application = std::make_unique<Application>(Application::Services {
            environment(), settings, dialogs, browser, notifier, runningBuild, [this] { ++quits; },
            QStringLiteral("/usr/bin/plumetrack")});
        return *application;
    }

    // Answers every request from the served pages and runs the main thread's work, until quiet.
    void settle()
    {
        while (http.pending() > 0 || loop.pendingTasks() > 0) {
            http.respondAll();
            loop.drain();
        }
    }

    StatusMenuController &controller() { return application->controller(); }
    Menu &menu() { return application->statusMenu(); }
    FakeWebView &webView() { return *webViews.back(); }
};
