#pragma once

#include "notices/notice.h"
#include "sources/scraperenvironment.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <memory>
#include <mutex>
#include <optional>

class ScraperDelegate;
struct HttpError;

// The launches scheduled from the pad, from Launch Library 2 (The Space Devs' public launch
// database, JSON). The service allows 15 requests an hour without a key, so the schedule is asked
// for at most once every 20 minutes whatever the check period: a check in between reports the last
// answer (or the last failure) again. The answer is kept in the cache folder with its time, so a
// restart within 20 minutes reads it instead; a server that asks to be left alone (Retry-After) is
// not asked again before it said. Every download holds its scraper until it has reported.
class Launches final : public std::enable_shared_from_this<Launches>
{
public:
    // The least time between two requests.
    static constexpr double spacing = 20 * 60;
    // Launches are shown up to this far ahead, the first five of them.
    static constexpr double horizon = 30 * 86400;
    static constexpr qsizetype mostShown = 5;
    // A launch without a window of its own is taken to cover its time and two hours either side.
    static constexpr double margin = 2 * 3600;

    // Reads what the cache holds of an earlier answer.
    explicit Launches(ScraperEnvironment environment);

    void setDelegate(ScraperDelegate *delegate) { m_delegate = delegate; }
    // The schedule's address, which the section's title opens.
    const QUrl &link() const { return m_environment.addresses.launches; }

    // Starts one check and returns: a download when the last is 20 minutes old and the server is
    // not to be left alone, else a report of what the last download brought.
    void check();

    // The launches of a schedule whose windows are not over by `now` and that are planned within
    // the next 30 days, the first five by their time. None, with the reason in `problem`, when
    // the body is no JSON object with a "results" array, or none of the array's entries has an
    // id, a name and a time.
    static std::optional<QList<Notice>> parse(const QByteArray &json, double now,
                                              QString *problem = nullptr);

private:
    void downloaded(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);
    // Tells the delegate the launches read (or the problem), and that the check has ended.
    void report(std::optional<QList<Notice>> launches, const std::optional<SourceProblem> &problem);
    void readCache();
    void writeCache(const QByteArray &answer, double time) const;

    ScraperEnvironment m_environment;
    ScraperDelegate *m_delegate = nullptr;
    std::mutex m_mutex; // the state below, which checks and downloads share
    std::optional<QByteArray> m_answer; // the last schedule read
    std::optional<SourceProblem> m_problem; // the failure of the last download, if it failed
    std::optional<double> m_lastRequest;
    double m_quietUntil = 0; // Retry-After
    bool m_downloading = false;
};
