#pragma once

#include "sources/scraperenvironment.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class Menu;
class RunLoop;
class StatusItem;
class Timer;

// One headless check: waits until every source has answered or the time is up, then tells.
class OnceRun final
{
public:
    enum class Status { noAnswer, ok, failed };

    OnceRun(RunLoop &runLoop, double timeoutSeconds, std::function<void()> finished);
    ~OnceRun();

    // For ScraperEnvironment::answered; safe from any thread. The first answer of each source
    // counts.
    std::function<void(Source, bool)> hook();
    // Starts counting the time.
    void start();

    Status status(Source source) const { return m_status[size_t(source)]; }
    // 0 when every source answered with content, 1 otherwise.
    int exitStatus() const;

    // The status title, then one line per generated menu entry (empty for a separator).
    static QString text(const StatusItem &item, const Menu &menu, int defaultItems);
    // {"status": ..., "menu": [...], "sources": {...}}
    QString json(const StatusItem &item, const Menu &menu, int defaultItems) const;
    // One line for a waybar custom module: {"text", "tooltip", "class", "alt"}; the tooltip is the
    // item's tooltip lines after the title, then the menu.
    QString waybar(const StatusItem &item, const Menu &menu, int defaultItems) const;
    // Three lines for i3blocks and polybar: "🚀 3 closures · 2 TFRs", the title, the colour.
    QString i3blocks(const StatusItem &item, qsizetype closures, qsizetype restrictions) const;

private:
    void answered(Source source, bool withContent);
    void finish();

    RunLoop &m_runLoop;
    double m_timeoutSeconds;
    std::function<void()> m_finished;
    std::array<Status, 5> m_status {Status::noAnswer, Status::noAnswer, Status::noAnswer,
                                    Status::noAnswer, Status::noAnswer};
    std::shared_ptr<Timer> m_timeout;
    bool m_done = false;
};
