#pragma once

#include "platform/clock.h"

#include <atomic>

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
