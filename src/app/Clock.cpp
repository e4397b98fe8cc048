#include "app/Clock.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace tesmara {

qint64 SystemClock::nowMs() const
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

namespace {

class SystemRandom final : public RandomSource {
public:
    quint32 bounded(quint32 bound) override { return bound == 0 ? 0 : QRandomGenerator::global()->bounded(bound); }
    double unit() override { return QRandomGenerator::global()->generateDouble(); }
};

SystemClock g_systemClock;
Clock* g_clock = nullptr;
SystemRandom g_systemRandom;
RandomSource* g_random = nullptr;

} // namespace

Clock& defaultClock()
{
    return g_clock ? *g_clock : g_systemClock;
}

void setDefaultClock(Clock* clock)
{
    g_clock = clock;
}

RandomSource& defaultRandom()
{
    return g_random ? *g_random : g_systemRandom;
}

void setDefaultRandom(RandomSource* random)
{
    g_random = random;
}

} // namespace tesmara
