#pragma once

#include "menu/launchcover.h"

#include "notices/notice.h"
#include "sources/scraperenvironment.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class Menu;
class RunLoop;
class StatusItem;
class StatusMenuController;
class Timer;

// One headless check: waits until every source has answered or the time is up, then tells.
class OnceRun final
{
public:
    enum class Status { noAnswer, ok, failed, off };
    // Why a source was not read at the check; none when it was.
    using Problems = std::function<std::optional<QString>(Source)>;

    OnceRun(RunLoop &runLoop, double timeoutSeconds, std::function<void()> finished);
    ~OnceRun();

    // For ScraperEnvironment::answered; safe from any thread. The first answer of each source
    // counts.
    std::function<void(Source, bool)> hook();
    // The source is switched off: it is not waited for, and "off" in the output.
    void skip(Source source) { m_status[size_t(source)] = Status::off; }
    // Starts counting the time.
    void start();

    Status status(Source source) const { return m_status[size_t(source)]; }
    // The time the run waits for its answers.
    double timeoutSeconds() const { return m_timeoutSeconds; }
    // Where the reasons of the sources that were not read come from.
    void setProblems(Problems problems) { m_problems = std::move(problems); }
    // 0 when every source switched on was read, 1 otherwise.
    int exitStatus() const;

    // The status title, then one line per generated menu entry (empty for a separator).
    static QString text(const StatusItem &item, const Menu &menu, int defaultItems);
    // {"status": ..., "menu": [...], "sources": {...}, "problems": {...}, "notices": [...],
    // "launches": [...], "possible": [...]}: each source "ok", "failed" or "off", the reason of
    // each that failed, the notices shown in full (key, source, label, text, status, windows in
    // UTC), each launch (id, name, net, window_start, window_end, status) with the keys of the
    // notices that cover it, and each span of possible launch activity (start, end) with the keys
    // of its notices.
    QString json(const StatusItem &item, const Menu &menu, int defaultItems,
                 const QList<Notice> &notices, const QList<launchcover::Covered> &launches = {},
                 const QList<launchcover::Span> &possible = {}) const;
    // One line for a waybar custom module: {"text", "tooltip", "class", "alt"}; the tooltip is the
    // item's tooltip lines after the title, then the menu.
    QString waybar(const StatusItem &item, const Menu &menu, int defaultItems) const;
    // Three lines for i3blocks and polybar: "🚀 3 closures · 2 TFRs", the title, the colour. A
    // count is "?" when one of its sources was not read, and left out when its sources are all
    // switched off; "🚀 all sources off" when every source is.
    QString i3blocks(const StatusItem &item, const StatusMenuController &controller) const;

private:
    void answered(Source source, bool withContent);
    void finish();

    RunLoop &m_runLoop;
    double m_timeoutSeconds;
    std::function<void()> m_finished;
    std::array<Status, sourceKeys.size()> m_status = [] {
        std::array<Status, sourceKeys.size()> all;
        all.fill(Status::noAnswer);
        return all;
    }();
    std::shared_ptr<Timer> m_timeout;
    Problems m_problems;
    bool m_done = false;
};
