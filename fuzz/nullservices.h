#pragma once

#include "platform/caches.h"
#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/runloop.h"

// Services that do nothing, at a fixed time (2021-08-15 10:00 in Chicago): for benchmarks and fuzz
// targets that run the parsers alone.
struct NullServices final : HttpClient, RunLoop, Clock, Caches
{
    void get(const QUrl &, Expect, Completion) override { }
    Result getBlocking(const QUrl &, Expect) override { return {}; }
    void post(Task) override { }
    std::shared_ptr<Timer> scheduleRepeating(double, Task) override { return nullptr; }
    double now() const override { return 1629039600.0; }
    std::optional<QString> directory() const override { return std::nullopt; }
};
