#include "controls/RunTimer.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tesmara;

class TestRunTimer : public QObject {
    Q_OBJECT
private slots:
    void endsAfterItsPeriods();
    void periodsAreMeasuredFromTheEndingPoll();
    void zeroIntervalNeverFires();
    void writingEndTimeRestartsCountNotPeriod();
    void runsOnRealTimerToo();
};

void TestRunTimer::endsAfterItsPeriods()
{
    ManualClock clock;
    RunTimer timer(nullptr, &clock);
    QSignalSpy ticks(&timer, &RunTimer::tick);
    QSignalSpy ends(&timer, &RunTimer::end);
    timer.setInterval(1);
    timer.setRun_EndTime(3);
    timer.setEnabled(true);
    QVERIFY(timer.isPolling());
    for (int step = 0; step < 80; ++step) { // 4 s in 50 ms polls
        clock.advanceMs(50);
        timer.poll();
    }
    QCOMPARE(ticks.count(), 2);
    QCOMPARE(ends.count(), 1);
    QCOMPARE(timer.Sum_RunTime(), qint16(3));
    QVERIFY(!timer.Enabled());
    QVERIFY(!timer.isPolling());
    // Disabled: nothing more happens until enabled again.
    clock.advanceMs(5000);
    timer.poll();
    QCOMPARE(ticks.count(), 2);
}

void TestRunTimer::periodsAreMeasuredFromTheEndingPoll()
{
    ManualClock clock;
    RunTimer timer(nullptr, &clock);
    QSignalSpy ticks(&timer, &RunTimer::tick);
    timer.setInterval(1);
    timer.setEnabled(true);
    clock.advanceMs(999);
    timer.poll();
    QCOMPARE(ticks.count(), 0);
    clock.advanceMs(40); // the poll lands late, at 1.039 s
    timer.poll();
    QCOMPARE(ticks.count(), 1);
    clock.advanceMs(990); // 0.99 s after that poll: not yet
    timer.poll();
    QCOMPARE(ticks.count(), 1);
    clock.advanceMs(10);
    timer.poll();
    QCOMPARE(ticks.count(), 2);
    QCOMPARE(timer.Sum_RunTime(), qint16(2));
}

void TestRunTimer::zeroIntervalNeverFires()
{
    ManualClock clock;
    RunTimer timer(nullptr, &clock);
    QSignalSpy ticks(&timer, &RunTimer::tick);
    timer.setInterval(0);
    timer.setEnabled(true);
    QVERIFY(!timer.isPolling());
    clock.advanceMs(100000);
    timer.poll();
    QCOMPARE(ticks.count(), 0);
    timer.setInterval(-3);
    timer.poll();
    QCOMPARE(ticks.count(), 0);
}

void TestRunTimer::writingEndTimeRestartsCountNotPeriod()
{
    ManualClock clock;
    RunTimer timer(nullptr, &clock);
    QSignalSpy ends(&timer, &RunTimer::end);
    timer.setInterval(2);
    timer.setEnabled(true);
    clock.advanceMs(2000);
    timer.poll();
    clock.advanceMs(2000);
    timer.poll();
    QCOMPARE(timer.Sum_RunTime(), qint16(2));
    clock.advanceMs(1500); // half-way through the third period
    timer.setRun_EndTime(1);
    QCOMPARE(timer.Sum_RunTime(), qint16(0));
    clock.advanceMs(500); // the current period was not restarted
    timer.poll();
    QCOMPARE(ends.count(), 1);
}

void TestRunTimer::runsOnRealTimerToo()
{
    ManualClock clock;
    RunTimer timer(nullptr, &clock);
    QSignalSpy ends(&timer, &RunTimer::end);
    timer.setInterval(1);
    timer.setRun_EndTime(1);
    timer.setEnabled(true);
    clock.advanceMs(1000);
    // The inner timer polls by itself; the clock already says the period is over.
    QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, 2000);
}

QTEST_GUILESS_MAIN(TestRunTimer)
#include "tst_runtimer.moc"
