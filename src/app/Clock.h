#pragma once

#include <QtGlobal>

#include <memory>

namespace tesmara {

// The one source of time for timers and runs. The program uses a monotonic
// clock; tests install a manual clock and move it by hand.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary fixed origin; never goes backwards.
    virtual qint64 nowMs() const = 0;
    double nowSeconds() const { return nowMs() / 1000.0; }
};

class SystemClock final : public Clock {
public:
    qint64 nowMs() const override;
};

class ManualClock final : public Clock {
public:
    qint64 nowMs() const override { return m_now; }
    void setMs(qint64 ms) { m_now = ms; }
    void advanceMs(qint64 ms) { m_now += ms; }

private:
    qint64 m_now = 0;
};

// The clock used by everything that does not get one passed in.
Clock& defaultClock();
// Replaces the default clock (tests); nullptr restores the system clock.
void setDefaultClock(Clock* clock);

// Random numbers for drills and games: injectable so runs can be replayed.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A value in [0, bound).
    virtual quint32 bounded(quint32 bound) = 0;
    // A value in [0, 1), like the classic Rnd.
    virtual double unit() = 0;
};

RandomSource& defaultRandom();
void setDefaultRandom(RandomSource* random);

} // namespace tesmara
