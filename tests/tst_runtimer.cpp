#include "controls/RunTimer.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tesmara;

namespace {

// A run timer of `seconds` a period, ending after `periods` (0: never),
// started on a clock of the test's own, with its signals counted.
struct Timed {
    explicit Timed(int seconds, int periods = 0)
    {
        timer.setInterval(seconds);
        if (periods > 0) {
            timer.setRun_EndTime(periods);
        }
        timer.setEnabled(true);
    }
    // Lets `ms` pass, then the timer looks at the clock.
    void after(int ms)
    {
        clock.advanceMs(ms);
        timer.poll();
    }
    ManualClock clock;
    RunTimer timer{nullptr, &clock};
    QSignalSpy ticks{&timer, &RunTimer::tick};
    QSignalSpy ends{&timer, &RunTimer::end};
};

} // namespace

class TestRunTimer : public QObject {
    Q_OBJECT
private slots:
    void endsAfterItsPeriodsPolledOrByItself();
    void periodsRunFromTheirEndingPoll();
};

void TestRunTimer::endsAfterItsPeriodsPolledOrByItself()
{
    Timed t(1, 3);
    QVERIFY(t.timer.isPolling());
    for (int step = 0; step < 80; ++step) { // 4 s in 50 ms polls
        t.after(50);
    }
    QCOMPARE(t.ticks.count(), 2);
    QCOMPARE(t.ends.count(), 1);
    QCOMPARE(t.timer.Sum_RunTime(), qint16(3));
    QVERIFY(!t.timer.Enabled());
    QVERIFY(!t.timer.isPolling());
    // Disabled: nothing more happens until enabled again.
    t.after(5000);
    QCOMPARE(t.ticks.count(), 2);
    // Enabled again, its inner timer polls by itself; the clock already says
    // the period is over.
    t.timer.setRun_EndTime(1);
    t.timer.setEnabled(true);
    t.clock.advanceMs(1000);
    QTRY_COMPARE_WITH_TIMEOUT(t.ends.count(), 2, 2000);
    // An interval of 0 or less never fires.
    t.timer.setInterval(0);
    t.timer.setEnabled(true);
    QVERIFY(!t.timer.isPolling());
    t.after(100000);
    t.timer.setInterval(-3);
    t.after(100000);
    QCOMPARE(t.ticks.count(), 2);
}

// Each period runs from the poll that ended the one before; a new end count
// restarts the count, not the period under way.
void TestRunTimer::periodsRunFromTheirEndingPoll()
{
    Timed t(1);
    t.after(999);
    QCOMPARE(t.ticks.count(), 0);
    t.after(40); // the poll lands late, at 1.039 s
    QCOMPARE(t.ticks.count(), 1);
    t.after(990); // 0.99 s after that poll: not yet
    QCOMPARE(t.ticks.count(), 1);
    t.after(10);
    QCOMPARE(t.ticks.count(), 2);
    QCOMPARE(t.timer.Sum_RunTime(), qint16(2));
    t.clock.advanceMs(500); // half-way through the third period
    t.timer.setRun_EndTime(1);
    QCOMPARE(t.timer.Sum_RunTime(), qint16(0));
    t.after(500);
    QCOMPARE(t.ends.count(), 1);
}

QTEST_GUILESS_MAIN(TestRunTimer)
#include "tst_runtimer.moc"
