#pragma once

#include "fakeclock.h"

#include "platform/runloop.h"

#include <algorithm>
#include <deque>
#include <vector>

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
