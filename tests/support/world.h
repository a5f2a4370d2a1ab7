#pragma once

#include "app/application.h"

#include "fakes.h"
#include "sources/county/cameroncountyrecord.h"
#include "sources/faa/faanotam.h"
#include "sources/launches/launches.h"
#include "sources/navwarn/navigationalwarnings.h"
#include "sources/scraperdelegate.h"
#include "sources/starbase/starbaseclosures.h"
#include "text/dateextractor.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

// Records every report, from any thread.
class RecordingDelegate final : public ScraperDelegate
{
public:
    void noticesRead(Source source, QList<Notice> notices) override
    {
        // The events keep the names of the reports each source once had.
        static const std::map<Source, const char *> names {
            {Source::faa, "faaDetails"},
            {Source::county, "cameronDetails"},
            {Source::starbase, "starbaseDetails"},
            {Source::navwarn, "navigationalWarnings"},
            {Source::bulletin, "msib"}};
        std::lock_guard lock(m_mutex);
        m_events << QString::fromLatin1(names.at(source));
        m_read[source].push_back(std::move(notices));
    }
    void error(WebErrors kind, Source, const QString &reason) override
    {
        std::lock_guard lock(m_mutex);
        m_events << (kind == WebErrors::notReached ? "notReached" : "error");
        m_reasons.push_back(reason);
    }
    void updateLastChecked() override
    {
        std::lock_guard lock(m_mutex);
        m_events << "updateLastChecked";
    }

    // The notices of each read of the source.
    std::vector<QList<Notice>> read(Source source) const
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_read.find(source);
        return it == m_read.end() ? std::vector<QList<Notice>>() : it->second;
    }
    std::vector<QString> reasons() const
    {
        std::lock_guard lock(m_mutex);
        return m_reasons;
    }
    QStringList events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    int count(const QString &event) const { return int(events().count(event)); }

private:
    mutable std::mutex m_mutex;
    std::map<Source, std::vector<QList<Notice>>> m_read;
    std::vector<QString> m_reasons;
    QStringList m_events;
};

// A notice as its source's reader makes it of a row's texts, windows read where the reader reads
// them: a restriction's description; a closure's day, hours and status; a city row's label and
// window; a warning's label and summary.
inline Notice noticeOf(Source source, const QStringList &f, const Clock &clock)
{
    const QString zone = "America/Chicago";
    const SourceAddresses pages = SourceAddresses::defaults();
    switch (source) {
    case Source::faa: {
        FAANotam notam {"id", f[0], {}, "https://tfr.faa.gov/download/detail_6_2998.xml", {}};
        notam.windows = DateExtractor::windows(f[0], clock, zone);
        return notam.notice(pages.faaPage);
    }
    case Source::county: {
        CameronCountyRecord record {"Primary Date", f[0], f[1], f[2]};
        record.windows = DateExtractor::windows(f[0] + ' ' + f[1], clock, zone);
        return record.notice(pages.county);
    }
    case Source::starbase: {
        // A row of the city's page: "Beach X" of the beach block, "Road Delay: X" of the road's.
        const QString page = f[0].startsWith("Beach ")
            ? "<div id=beach-closure><p>" + f[0].mid(6) + ": " + f[1] + "</p></div>"
            : "<div id=road-closure><p>Description: " + f[0].section(": ", 1)
                + "</p><p>Date: " + f[1] + "</p></div>";
        Notice notice = StarbaseClosures::parse(page, clock, zone).value().value(0);
        notice.page = pages.starbase;
        return notice;
    }
    case Source::launches: {
        // "name | net | its precision | status | window start | window end" as a schedule's entry.
        QJsonObject entry {{"id", "L-" + digestOf(f[0])},
                           {"name", f[0]},
                           {"net", f[1]},
                           {"net_precision", QJsonObject {{"name", f.value(2)}}},
                           {"status", QJsonObject {{"abbrev", f.value(3)}}}};
        if (f.size() > 5) {
            entry.insert("window_start", f[4]);
            entry.insert("window_end", f[5]);
        }
        const QByteArray schedule
            = QJsonDocument(QJsonObject {{"results", QJsonArray {entry}}}).toJson();
        Notice notice = Launches::parse(schedule, clock.now()).value().value(0);
        notice.page = pages.launches;
        return notice;
    }
    default:
        break;
    }
    Notice notice;
    notice.source = source;
    notice.key = keyOf(source) + "-" + digestOf(f[0]);
    notice.label = f[0];
    notice.text = f.value(1);
    notice.page = pages.navwarnPage;
    notice.windows = NavigationalWarnings::windowsOf(notice.text, clock.now());
    return notice;
}

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
    // The launch schedule is off unless a test switches it on: most tests look at the notices.
    explicit World(double now = 1'796'492'760.0) : clock(now) // 2026-12-05 17:46 UTC
    {
        settings.setValue(false, "Sources/launches");
    }

    FakeClock clock;
    FakeRunLoop loop {clock};
    FakeHttpClient http;
    FakeCaches caches;
    FakeSettings settings;
    FakeBrowser browser;
    FakeDialogs dialogs;
    FakeNotifier notifier;
    RecordingDelegate delegate; // for a scraper on its own
    QStringList diagnostics;
    std::vector<bool> answers; // each source's answer: with content or not
    std::function<void(Source, bool)> answered; // told of each answer too
    SourceAddresses addresses = SourceAddresses::defaults();
    int quits = 0;
    std::unique_ptr<Application> application;

    ScraperEnvironment environment()
    {
        const auto diagnostic = [this](const QString &line) { diagnostics << line; };
        const auto answer = [this](Source source, bool withContent) {
            answers.push_back(withContent);
            if (answered)
                answered(source, withContent);
        };
        return {http, loop, clock, caches, addresses, diagnostic, answer};
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
