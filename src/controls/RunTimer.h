#pragma once

#include "app/Clock.h"

#include <QObject>
#include <QTimer>

namespace tesmara {

// Run clock of practice runs: periods of `Interval` seconds measured against
// the clock, counted in `Sum_RunTime`, ending by itself after `Run_EndTime`
// periods (0 = never). An inner timer polls the clock; tests call poll().
class RunTimer : public QObject {
    Q_OBJECT
public:
    explicit RunTimer(QObject* parent = nullptr, Clock* clock = nullptr);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    float Interval() const { return m_interval; }
    void setInterval(float seconds);

    qint16 Run_EndTime() const { return m_endTime; }
    void setRun_EndTime(qint16 periods);

    qint16 Sum_RunTime() const { return m_sum; }

    // The inner timer's polling step for the current interval, in ms.
    int pollStepMs() const;
    bool isPolling() const { return m_poll.isActive(); }

    // One look at the clock; raises tick or end when a period has passed.
    void poll();

signals:
    void tick();
    void end();

private:
    void updatePolling();

    Clock* m_clock;
    QTimer m_poll;
    bool m_enabled = false;
    float m_interval = 0;
    qint16 m_endTime = 0;
    qint16 m_sum = 0;
    qint64 m_periodStartMs = 0;
};

} // namespace tesmara
