#pragma once

#include "platform/runloop.h"

#include <deque>
#include <mutex>
#include <vector>

class FakeClock;

// The main loop on a virtual clock. Posted tasks wait until drain(); advance(seconds) moves the
// clock, firing due timers in the order of their due times (ties in scheduling order) and
// draining posted tasks around every firing.
class FakeRunLoop final : public RunLoop
{
public:
    explicit FakeRunLoop(FakeClock &clock);
    ~FakeRunLoop() override;

    void post(Task task) override;
    std::shared_ptr<Timer> scheduleRepeating(double seconds, Task task) override;

    // Runs posted tasks, including those they post, until none is left. Returns how many ran.
    int drain();
    void advance(double seconds);
    size_t pendingTasks() const;
    // Timers that are still valid.
    size_t activeTimers() const;

    struct Entry;

private:
    FakeClock &m_clock;
    mutable std::mutex m_mutex;
    std::deque<Task> m_tasks;
    std::vector<std::shared_ptr<Entry>> m_timers;
    unsigned long m_sequence = 0;
};
