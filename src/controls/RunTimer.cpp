#include "controls/RunTimer.h"

#include <cmath>
#include <limits>

namespace tesmara {

RunTimer::RunTimer(QObject* parent, Clock* clock) : QObject(parent), m_clock(clock ? clock : &defaultClock())
{
    m_periodStartMs = m_clock->nowMs();
    m_poll.setTimerType(Qt::PreciseTimer);
    connect(&m_poll, &QTimer::timeout, this, &RunTimer::poll);
}

int RunTimer::pollStepMs() const
{
    if (m_interval < 2) {
        return 50;
    }
    if (m_interval < 10) {
        return 100;
    }
    if (m_interval < 100) {
        return 300;
    }
    return 500;
}

void RunTimer::updatePolling()
{
    if (m_enabled && m_interval > 0) {
        m_poll.start(pollStepMs());
    } else {
        m_poll.stop();
    }
}

void RunTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (enabled && m_interval > 0) {
        m_periodStartMs = m_clock->nowMs();
    }
    updatePolling();
}

void RunTimer::setInterval(float seconds)
{
    if (std::isnan(seconds) || seconds <= 0) {
        m_interval = std::isnan(seconds) ? 0.0f : seconds;
        m_poll.stop();
        return;
    }
    m_interval = std::min(seconds, 86400.0f);
    m_periodStartMs = m_clock->nowMs();
    updatePolling();
}

void RunTimer::setRun_EndTime(qint16 periods)
{
    m_endTime = periods;
    m_sum = 0;
}

void RunTimer::poll()
{
    if (!m_enabled || m_interval <= 0) {
        return;
    }
    const qint64 now = m_clock->nowMs();
    const double elapsed = (now - m_periodStartMs) / 1000.0;
    if (elapsed < m_interval) {
        return;
    }
    // Without an end the count stops at its top rather than wrapping.
    if (m_sum < std::numeric_limits<qint16>::max()) {
        ++m_sum;
    }
    if (m_sum != m_endTime) {
        m_periodStartMs = now;
        emit tick();
    } else {
        setEnabled(false);
        emit end();
    }
}

} // namespace tesmara
