#pragma once

#include <functional>
#include <memory>

// A repeating timer made by RunLoop::scheduleRepeating.
class Timer
{
public:
    virtual ~Timer() = default;
    // Stops the timer: it never fires again.
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

// The main thread's loop.
class RunLoop
{
public:
    using Task = std::function<void()>;

    virtual ~RunLoop() = default;
    // Runs the task later on the main thread, in submission order, also when called from the main
    // thread. Safe to call from any thread.
    virtual void post(Task task) = 0;
    // Fires `task` every `seconds` on the main thread, the first time one full period from now.
    // Main thread only.
    virtual std::shared_ptr<Timer> scheduleRepeating(double seconds, Task task) = 0;
};
