#pragma once

#include "platform/runloop.h"

class QObject;

// The main thread's Qt event loop: posted tasks are queued invocations on a context object that
// lives on the main thread, timers are QTimers.
class QtRunLoop final : public RunLoop
{
public:
    // `context` must live on the main thread and outlive the loop's use.
    explicit QtRunLoop(QObject *context);

    void post(Task task) override;
    std::shared_ptr<Timer> scheduleRepeating(double seconds, Task task) override;

private:
    QObject *m_context;
};
