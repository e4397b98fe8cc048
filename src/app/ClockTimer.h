#pragma once

#include "app/Clock.h"

#include <QObject>
#include <QTimer>

namespace tesmara {

// A repeating timer measured on the injectable clock: while enabled it ticks
// once every Interval milliseconds. An inner precise timer wakes it at each
// due time; tests move a ManualClock and call poll(). When it wakes more
// than a whole period late it ticks once and counts the periods it skipped
// as dropped, so a slow tick never makes the next ones pile up.
class ClockTimer : public QObject {
    Q_OBJECT
public:
    explicit ClockTimer(QObject* parent = nullptr, Clock* clock = nullptr);

    bool Enabled() const { return m_enabled; }
    // Switching on starts a fresh period.
    void setEnabled(bool enabled);

    int Interval() const { return m_interval; }
    // A new interval starts a fresh period; 0 or less never ticks.
    void setInterval(int ms);

    // Periods skipped because a tick came too late.
    qint64 dropped() const { return m_dropped; }

    // One look at the clock; raises tick when a period has passed.
    void poll();

signals:
    void tick();

private:
    void restartPeriod();
    void schedule();

    Clock* m_clock;
    QTimer m_wake;
    bool m_enabled = false;
    int m_interval = 0;
    qint64 m_dueMs = 0;
    qint64 m_dropped = 0;
};

} // namespace tesmara
