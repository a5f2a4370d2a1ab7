#pragma once

#include "app/application.h"

#include "fakes.h"
#include "sources/scraperdelegate.h"

#include <QStringList>

#include <memory>
#include <mutex>
#include <vector>

// Records every report, from any thread.
class RecordingDelegate final : public ScraperDelegate
{
public:
    void faaDetails(QList<FAANotam> notams) override { record("faaDetails", m_faa, notams); }
    void cameronDetails(QList<CameronCountyRecord> records) override
    {
        record("cameronDetails", m_county, records);
    }
    void starbaseDetails(QList<RowRecord>) override { record("starbaseDetails"); }
    void navigationalWarnings(QList<RowRecord>) override { record("navigationalWarnings"); }
    void msib(bool mentioned, QString title) override
    {
        record("msib", m_msib, std::pair {mentioned, title});
    }
    void error(WebErrors kind, Source, const QString &reason) override
    {
        record(kind == WebErrors::notReached ? "notReached" : "error", m_reasons, reason);
    }
    void updateLastChecked() override { record("updateLastChecked"); }

    std::vector<QList<FAANotam>> faa() const { return locked(m_faa); }
    std::vector<QList<CameronCountyRecord>> county() const { return locked(m_county); }
    std::vector<std::pair<bool, QString>> bulletins() const { return locked(m_msib); }
    std::vector<QString> reasons() const { return locked(m_reasons); }
    QStringList events() const { return locked(m_events); }
    int count(const QString &event) const { return int(events().count(event)); }

private:
    void record(const char *event)
    {
        std::lock_guard lock(m_mutex);
        m_events << QString::fromLatin1(event);
    }
    template<typename T> void record(const char *event, std::vector<T> &list, const T &value)
    {
        std::lock_guard lock(m_mutex);
        m_events << QString::fromLatin1(event);
        list.push_back(value);
    }
    template<typename T> T locked(const T &value) const
    {
        std::lock_guard lock(m_mutex);
        return value;
    }

    mutable std::mutex m_mutex;
    std::vector<QList<FAANotam>> m_faa;
    std::vector<QList<CameronCountyRecord>> m_county;
    std::vector<std::pair<bool, QString>> m_msib;
    std::vector<QString> m_reasons;
    QStringList m_events;
};

// An answer to a request: a body or none, and an error: none (0), a transport failure (-1) or an
// HTTP status.
inline std::pair<std::optional<QByteArray>, std::optional<HttpError>>
answer(std::optional<QByteArray> body, int error = 0)
{
    return {body,
            error == 0 ? std::nullopt : std::optional(HttpError {"failed", std::max(error, 0)})};
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
    SourceAddresses addresses = SourceAddresses::defaults();
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
        return {http, loop, clock, caches, view, addresses, diagnostic, answer, readBulletinOnce};
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
    // The menu's entry with that title; none when there is none.
    MenuItem::Ptr entry(const QString &title)
    {
        for (const auto &item : menu().items()) {
            if (item->title() == title)
                return item;
        }
        return nullptr;
    }
};
