#pragma once

// One fake for each of the platform's seams.
#include "platform/browser.h"
#include "platform/caches.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/httpclient.h"
#include "platform/notifier.h"
#include "platform/runloop.h"
#include "platform/settings.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <vector>

// A virtual clock: it moves only when told.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(double now = 1'700'000'000.0) : m_now(now) { }
    double now() const override { return m_now.load(); }
    void set(double now) { m_now.store(now); }

private:
    std::atomic<double> m_now;
};

// The main loop on a virtual clock. Posted tasks wait until drain(); advance(seconds) moves the
// clock, firing due timers in the order of their due times (ties in scheduling order) and
// draining posted tasks around every firing.
class FakeRunLoop final : public RunLoop
{
public:
    explicit FakeRunLoop(FakeClock &clock) : m_clock(clock) { }

    void post(Task task) override { m_tasks.push_back(std::move(task)); }
    std::shared_ptr<Timer> scheduleRepeating(double seconds, Task task) override
    {
        m_timers.push_back(std::make_shared<Entry>(seconds, m_clock.now() + seconds, m_sequence++,
                                                   std::move(task)));
        return m_timers.back();
    }

    // Runs posted tasks, including those they post, until none is left.
    void drain()
    {
        for (Task task; (task = next());)
            task();
    }
    void advance(double seconds)
    {
        const double end = m_clock.now() + seconds;
        drain();
        for (;;) {
            std::erase_if(m_timers, [](const auto &timer) { return !timer->task; });
            const auto due
                = std::min_element(m_timers.begin(), m_timers.end(), [](auto &a, auto &b) {
                      return std::pair(a->due, a->sequence) < std::pair(b->due, b->sequence);
                  });
            if (due == m_timers.end() || (*due)->due > end)
                break;
            const std::shared_ptr<Entry> timer = *due;
            m_clock.set(timer->due);
            timer->due += timer->period;
            Task task = timer->task; // the timer may be invalidated while it runs
            task();
            drain();
        }
        m_clock.set(end);
        drain();
    }
    size_t pendingTasks() const { return m_tasks.size(); }
    // Timers that are still valid.
    size_t activeTimers() const
    {
        return size_t(std::count_if(m_timers.begin(), m_timers.end(),
                                    [](const auto &timer) { return bool(timer->task); }));
    }

private:
    struct Entry final : Timer
    {
        Entry(double period, double due, unsigned long sequence, Task task)
            : period(period), due(due), sequence(sequence), task(std::move(task))
        { }
        void invalidate() override { task = nullptr; }
        bool isValid() const override { return bool(task); }
        double period;
        double due;
        unsigned long sequence;
        Task task;
    };

    Task next()
    {
        if (m_tasks.empty())
            return nullptr;
        Task task = std::move(m_tasks.front());
        m_tasks.pop_front();
        return task;
    }

    FakeClock &m_clock;
    std::deque<Task> m_tasks;
    std::vector<std::shared_ptr<Entry>> m_timers;
    unsigned long m_sequence = 0;
};

// Records requests; the test answers them when and in the order it likes. Canned answers given
// with `serve` are delivered by `respondAll` and `getBlocking`; unknown addresses are refused.
class FakeHttpClient final : public HttpClient
{
public:
    void get(const QUrl &url, Expect, Completion completion) override
    {
        m_requested.push_back(url);
        m_pending.push_back({url, std::move(completion)});
    }
    Result getBlocking(const QUrl &url, Expect) override
    {
        m_requested.push_back(url);
        return served(url);
    }

    // Every URL requested so far, in order.
    const std::vector<QUrl> &requested() const { return m_requested; }
    size_t pending() const { return m_pending.size(); }
    // Answers the oldest pending request for `url`; false when there is none.
    bool respond(const QUrl &url, std::optional<QByteArray> body,
                 std::optional<HttpError> error = std::nullopt)
    {
        const auto it = std::find_if(m_pending.begin(), m_pending.end(),
                                     [&](const auto &request) { return request.first == url; });
        if (it == m_pending.end())
            return false;
        const Completion completion = std::move(it->second);
        m_pending.erase(it);
        completion(std::move(body), std::move(error));
        return true;
    }
    void serve(const QUrl &url, std::optional<QByteArray> body,
               std::optional<HttpError> error = std::nullopt)
    {
        m_served[url.toString()] = Result {std::move(body), std::move(error)};
    }
    // Answers pending requests from the canned answers, including requests made while answering,
    // until none is left.
    void respondAll()
    {
        while (!m_pending.empty()) {
            const auto [url, completion] = m_pending.front();
            m_pending.erase(m_pending.begin());
            const Result result = served(url);
            completion(result.body, result.error);
        }
    }

private:
    Result served(const QUrl &url) const
    {
        const auto it = m_served.find(url.toString());
        return it != m_served.end() ? it->second
                                    : Result {std::nullopt, HttpError {"Could not connect."}};
    }

    std::vector<std::pair<QUrl, Completion>> m_pending;
    std::vector<QUrl> m_requested;
    std::map<QString, Result> m_served;
};

// A cache directory of its own that goes away with the object.
class FakeCaches final : public Caches
{
public:
    std::optional<QString> directory() const override
    {
        if (!m_available || !m_root.isValid())
            return std::nullopt;
        const QString path = m_root.filePath(QStringLiteral("cache"));
        QDir().mkpath(path);
        return path;
    }
    void setAvailable(bool available) { m_available = available; }
    QString path() const { return m_root.filePath(QStringLiteral("cache")); }
    // The names in the cache directory, sorted, folders with a trailing "/".
    QStringList entries() const
    {
        QStringList names;
        for (const QFileInfo &info : QDir(path()).entryInfoList(
                 QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name))
            names << info.fileName() + (info.isDir() && !info.isSymLink() ? "/" : "");
        return names;
    }

private:
    QTemporaryDir m_root;
    bool m_available = true;
};

// An in-memory settings store. `stored()` shows what was written, apart from registered defaults.
class FakeSettings final : public Settings
{
public:
    void registerDefaults(const QVariantMap &defaults) override { m_registered.insert(defaults); }
    qint64 integerForKey(const QString &key) const override { return value(key).toLongLong(); }
    bool boolForKey(const QString &key) const override { return value(key).toBool(); }
    void setValue(const QVariant &value, const QString &key) override { m_stored[key] = value; }
    const QVariantMap &stored() const { return m_stored; }

private:
    QVariant value(const QString &key) const { return m_stored.value(key, m_registered[key]); }

    QVariantMap m_stored;
    QVariantMap m_registered;
};

class FakeBrowser final : public Browser
{
public:
    void open(const QUrl &url) override { m_opened.push_back(url); }
    const std::vector<QUrl> &opened() const { return m_opened; }

private:
    std::vector<QUrl> m_opened;
};

// Records the alerts shown and answers each with `answer` (the first button unless told).
class FakeDialogs final : public Dialogs
{
public:
    void activate() override { ++m_activations; }
    int runModal(const Alert &alert) override
    {
        m_alerts.push_back(alert);
        return m_answer ? m_answer(alert) : firstButton;
    }
    void showAbout() override { ++m_aboutPanels; }
    void showMap(const map::Scene &scene, std::function<void(const QUrl &)> open) override
    {
        m_maps.push_back(scene);
        m_openPage = std::move(open);
    }
    // The fake's window stays open once shown: each update is one more scene.
    void updateMap(const std::function<map::Scene()> &scene) override
    {
        if (!m_maps.empty())
            m_maps.push_back(scene());
    }
    // The scenes of the map windows shown and updated, and how the last one opens a page.
    const std::vector<map::Scene> &maps() const { return m_maps; }
    const std::function<void(const QUrl &)> &openPage() const { return m_openPage; }

    void setAnswer(std::function<int(const Alert &)> answer) { m_answer = std::move(answer); }
    const std::vector<Alert> &alerts() const { return m_alerts; }
    int activations() const { return m_activations; }
    int aboutPanels() const { return m_aboutPanels; }

private:
    std::function<int(const Alert &)> m_answer;
    std::vector<Alert> m_alerts;
    int m_activations = 0;
    int m_aboutPanels = 0;
    std::vector<map::Scene> m_maps;
    std::function<void(const QUrl &)> m_openPage;
};

// Records notifications; `activate` plays the user choosing one.
class FakeNotifier final : public Notifier
{
public:
    struct Shown
    {
        QString section;
        QString summary;
        QString body;
    };

    void notify(const QString &section, const QString &summary, const QString &body) override
    {
        m_shown.push_back({section, summary, body});
    }
    void setActivation(Activation activation) override { m_activation = std::move(activation); }

    const std::vector<Shown> &shown() const { return m_shown; }
    void activate(const QString &section) { m_activation(section); }

private:
    std::vector<Shown> m_shown;
    Activation m_activation;
};
