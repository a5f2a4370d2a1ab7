#include "fakerunloop.h"

#include "fakeclock.h"

#include <algorithm>

struct FakeRunLoop::Entry final : Timer
{
    double period = 0;
    double due = 0;
    unsigned long sequence = 0;
    bool valid = true;
    Task task;

    void invalidate() override
    {
        valid = false;
        task = nullptr;
    }
    bool isValid() const override { return valid; }
};

FakeRunLoop::FakeRunLoop(FakeClock &clock) : m_clock(clock) { }

FakeRunLoop::~FakeRunLoop() = default;

void FakeRunLoop::post(Task task)
{
    std::lock_guard lock(m_mutex);
    m_tasks.push_back(std::move(task));
}

std::shared_ptr<Timer> FakeRunLoop::scheduleRepeating(double seconds, Task task)
{
    auto entry = std::make_shared<Entry>();
    entry->period = seconds;
    entry->due = m_clock.now() + seconds;
    entry->sequence = m_sequence++;
    entry->task = std::move(task);
    m_timers.push_back(entry);
    return entry;
}

int FakeRunLoop::drain()
{
    int ran = 0;
    for (;;) {
        Task task;
        {
            std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                return ran;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
        ++ran;
    }
}

void FakeRunLoop::advance(double seconds)
{
    const double end = m_clock.now() + seconds;
    drain();
    for (;;) {
        std::erase_if(m_timers, [](const auto &timer) { return !timer->valid; });
        auto next
            = std::min_element(m_timers.begin(), m_timers.end(), [](const auto &a, const auto &b) {
                  return a->due != b->due ? a->due < b->due : a->sequence < b->sequence;
              });
        if (next == m_timers.end() || (*next)->due > end)
            break;
        std::shared_ptr<Entry> timer = *next;
        m_clock.set(timer->due);
        timer->due += timer->period;
        Task task = timer->task; // the timer may be invalidated while it runs
        if (task)
            task();
        drain();
    }
    m_clock.set(end);
    drain();
}

size_t FakeRunLoop::pendingTasks() const
{
    std::lock_guard lock(m_mutex);
    return m_tasks.size();
}

size_t FakeRunLoop::activeTimers() const
{
    return size_t(std::count_if(m_timers.begin(), m_timers.end(),
                                [](const auto &timer) { return timer->valid; }));
}
