#include "app/ClockTimer.h"

namespace tesmara {

ClockTimer::ClockTimer(QObject* parent, Clock* clock) : QObject(parent), m_clock(clock ? clock : &defaultClock())
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &ClockTimer::poll);
}

void ClockTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restartPeriod();
}

void ClockTimer::setInterval(int ms)
{
    m_interval = ms;
    restartPeriod();
}

void ClockTimer::restartPeriod()
{
    m_dueMs = m_clock->nowMs() + m_interval;
    schedule();
}

void ClockTimer::schedule()
{
    if (!m_enabled || m_interval <= 0) {
        m_wake.stop();
        return;
    }
    m_wake.start(int(qMax<qint64>(0, m_dueMs - m_clock->nowMs())));
}

void ClockTimer::poll()
{
    if (!m_enabled || m_interval <= 0) {
        return;
    }
    const qint64 now = m_clock->nowMs();
    if (now >= m_dueMs) {
        const qint64 periods = (now - m_dueMs) / m_interval + 1;
        m_dropped += periods - 1;
        m_dueMs += periods * m_interval;
        emit tick();
    }
    // The tick may have switched the timer off or changed its interval.
    schedule();
}

} // namespace tesmara
