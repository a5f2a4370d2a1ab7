#include "qtrunloop.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cmath>

namespace {

class QtTimer final : public Timer
{
public:
    QtTimer(double seconds, RunLoop::Task task) : m_timer(new QTimer)
    {
        const double ms
            = std::clamp(seconds * 1000.0, 0.0, double(std::numeric_limits<int>::max()));
        m_timer->setInterval(int(std::llround(ms)));
        m_timer->setTimerType(seconds >= 60 ? Qt::VeryCoarseTimer : Qt::CoarseTimer);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, std::move(task));
        m_timer->start();
    }

    ~QtTimer() override
    {
        // The timer may be released from inside its own tick.
        if (m_timer) {
            m_timer->stop();
            m_timer->deleteLater();
        }
    }

    void invalidate() override
    {
        if (m_timer)
            m_timer->stop();
    }

    bool isValid() const override { return m_timer && m_timer->isActive(); }

private:
    QPointer<QTimer> m_timer;
};

} // namespace

QtRunLoop::QtRunLoop(QObject *context) : m_context(context) { }

void QtRunLoop::post(Task task)
{
    QMetaObject::invokeMethod(m_context, std::move(task), Qt::QueuedConnection);
}

std::shared_ptr<Timer> QtRunLoop::scheduleRepeating(double seconds, Task task)
{
    return std::make_shared<QtTimer>(seconds, std::move(task));
}
