#include "app/ClockTimer.h"

namespace tesmara {

ClockTimer::ClockTimer(int intervalMs, Clock& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_intervalMs(intervalMs)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &ClockTimer::poll);
}

void ClockTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (enabled) {
        m_lastMs = m_clock.nowMs();
        arm();
    } else {
        m_wake.stop();
    }
}

void ClockTimer::setInterval(int intervalMs)
{
    m_intervalMs = intervalMs;
    if (m_enabled) {
        m_lastMs = m_clock.nowMs();
        arm();
    }
}

void ClockTimer::arm()
{
    if (m_intervalMs <= 0) {
        m_wake.stop();
        return;
    }
    const qint64 due = m_lastMs + m_intervalMs - m_clock.nowMs();
    m_wake.start(int(qBound(qint64(0), due, qint64(m_intervalMs))));
}

void ClockTimer::poll()
{
    if (!m_enabled || m_intervalMs <= 0) {
        return;
    }
    const qint64 now = m_clock.nowMs();
    if (now - m_lastMs >= m_intervalMs) {
        // A late tick keeps the beat; a tick that fell far behind (a busy
        // or suspended program) starts a fresh interval rather than firing
        // a burst.
        m_lastMs += m_intervalMs;
        if (now - m_lastMs >= m_intervalMs) {
            m_dropped += (now - m_lastMs) / m_intervalMs;
            m_lastMs = now;
        }
        emit timeout();
        if (!m_enabled) {
            return;
        }
    }
    arm();
}

} // namespace tesmara
