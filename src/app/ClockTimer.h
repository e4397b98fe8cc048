#pragma once

#include "app/Clock.h"

#include <QObject>
#include <QTimer>

namespace tesmara {

// A window timer measured against the program's clock: while enabled it
// raises timeout once every interval, counted from when it was switched on,
// without drifting. An inner timer wakes it when the next tick is due;
// tests move a manual clock and call poll(). An interval of 0 or less never
// raises timeout.
class ClockTimer : public QObject {
    Q_OBJECT
public:
    ClockTimer(int intervalMs, Clock& clock, QObject* parent = nullptr);

    int interval() const { return m_intervalMs; }
    // A new interval starts a fresh one, as when the timer is switched on.
    void setInterval(int intervalMs);
    bool isEnabled() const { return m_enabled; }
    // Switching on starts a fresh interval; switching on again while on
    // changes nothing.
    void setEnabled(bool enabled);
    // When the last tick was raised (or the timer switched on), in clock ms.
    qint64 lastTickMs() const { return m_lastMs; }
    // Ticks that fell so far behind that they were skipped.
    qint64 dropped() const { return m_dropped; }

    // One look at the clock: raises timeout when an interval has passed.
    void poll();

signals:
    void timeout();

private:
    void arm();

    Clock& m_clock;
    QTimer m_wake;
    int m_intervalMs;
    bool m_enabled = false;
    qint64 m_lastMs = 0;
    qint64 m_dropped = 0;
};

} // namespace tesmara
