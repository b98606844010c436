#include "FakeClock.h"
#include "core/events/DriftFreeTimer.h"
#include "core/events/RecordingClock.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <functional>

// The tick source against a clock moved by hand (the ticks due, catch-up after a stall, start
// phase, stop and restart from inside a handler), and once against the real clock in a real
// event loop with the thread blocked; and on a recording's clock, which the position leads.
class TestDriftFreeTimer : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void ticksDue_data();
    void ticksDue();
    void stallDeliversMissedTicksAtOnce();
    void startAtAMomentAgo();
    void noTickAfterDisable();
    void restartResetsPhase();
    void enableTwiceKeepsPhase();
    void disableInsideHandlerDropsRestOfBurst();
    void reenableInsideHandlerStartsAfresh();
    void realClockCatchesUpAfterBlockedThread();
    void ticksFollowARecording_data();
    void ticksFollowARecording();
};

namespace {

// Counts the ticks of a timer, optionally running an action inside the handler.
struct TickCounter {
    int count = 0;
    std::function<void(int)> onTick;

    void attach(DriftFreeTimer &timer)
    {
        QObject::connect(&timer, &DriftFreeTimer::timeout, [this] {
            ++count;
            if (onTick)
                onTick(count);
        });
    }
};

} // namespace

void TestDriftFreeTimer::defaults()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    QCOMPARE(timer.interval(), 200);
    QVERIFY(!timer.isEnabled());
    timer.setEnabled(true);
    QVERIFY(timer.isEnabled());
    timer.setEnabled(false);
    QVERIFY(!timer.isEnabled());
}

void TestDriftFreeTimer::ticksDue_data()
{
    QTest::addColumn<QList<int>>("pollsAtMs"); // clock positions after the start, ascending
    QTest::addColumn<int>("expected");

    QTest::newRow("nothing before one interval") << QList<int>{199} << 0;
    QTest::newRow("first tick at 200 ms") << QList<int>{200} << 1;
    QTest::newRow("one tick a period") << QList<int>{200, 400, 600, 800, 1000} << 5;
    QTest::newRow("late wake-ups lose nothing") << QList<int>{250, 530, 610, 1030} << 5;
    QTest::newRow("stall of 1.1 s") << QList<int>{1100} << 5;
    QTest::newRow("just short of ten") << QList<int>{1999} << 9;
    QTest::newRow("a minute") << QList<int>{60000} << 300;
    QTest::newRow("early polls deliver nothing extra") << QList<int>{10, 20, 199, 199, 200} << 1;
}

void TestDriftFreeTimer::ticksDue()
{
    QFETCH(QList<int>, pollsAtMs);
    QFETCH(int, expected);
    FakeClock clock;
    DriftFreeTimer timer(clock);
    TickCounter ticks;
    ticks.attach(timer);
    timer.setEnabled(true);
    int at = 0;
    for (const int ms : pollsAtMs) {
        clock.advanceMilliseconds(ms - at);
        at = ms;
        timer.poll();
    }
    QCOMPARE(ticks.count, expected);
    QCOMPARE(timer.delivered(), qint64(expected));
}

void TestDriftFreeTimer::stallDeliversMissedTicksAtOnce()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    TickCounter ticks;
    ticks.attach(timer);
    timer.setEnabled(true);
    clock.advanceMilliseconds(200);
    timer.poll();
    QCOMPARE(ticks.count, 1);
    // The thread is busy for 1.1 s: the five ticks that fell due meanwhile come in one wake-up.
    clock.advanceMilliseconds(1100);
    timer.poll();
    QCOMPARE(ticks.count, 6);
    // The phase is that of the start: the next tick is due at 1400 ms, not 1300 + 200.
    clock.advanceMilliseconds(99);
    timer.poll();
    QCOMPARE(ticks.count, 6);
    clock.advanceMilliseconds(1);
    timer.poll();
    QCOMPARE(ticks.count, 7);
}

// Started from a moment in the past (an input event read late), the ticks already due come at
// the first wake-up, each knowing when it fell due, and the phase is that of the moment.
void TestDriftFreeTimer::startAtAMomentAgo()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    const qint64 start = clock.nowNanoseconds() - 450'000'000;
    QList<qint64> dues;
    QObject::connect(&timer, &DriftFreeTimer::timeout,
                     [&] { dues << (timer.lastDueNanoseconds() - start) / 1'000'000; });
    timer.startAt(start);
    QVERIFY(timer.isEnabled());
    timer.poll();
    QCOMPARE(dues, (QList<qint64>{200, 400}));
    clock.advanceMilliseconds(149);
    timer.poll();
    QCOMPARE(dues.size(), 2);
    clock.advanceMilliseconds(1);
    timer.poll();
    QCOMPARE(dues, (QList<qint64>{200, 400, 600}));
}

void TestDriftFreeTimer::noTickAfterDisable()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    TickCounter ticks;
    ticks.attach(timer);
    timer.setEnabled(true);
    clock.advanceMilliseconds(450);
    timer.poll();
    QCOMPARE(ticks.count, 2);
    timer.setEnabled(false);
    clock.advanceMilliseconds(5000);
    timer.poll();
    QCOMPARE(ticks.count, 2);
}

void TestDriftFreeTimer::restartResetsPhase()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    TickCounter ticks;
    ticks.attach(timer);
    timer.setEnabled(true);
    clock.advanceMilliseconds(300);
    timer.poll();
    QCOMPARE(ticks.count, 1);
    timer.setEnabled(false);
    clock.advanceMilliseconds(50);
    timer.setEnabled(true);
    // 150 ms of the old period were left, but a new start waits a full period.
    clock.advanceMilliseconds(199);
    timer.poll();
    QCOMPARE(ticks.count, 1);
    QCOMPARE(timer.delivered(), qint64(0));
    clock.advanceMilliseconds(1);
    timer.poll();
    QCOMPARE(ticks.count, 2);
}

void TestDriftFreeTimer::enableTwiceKeepsPhase()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    TickCounter ticks;
    ticks.attach(timer);
    timer.setEnabled(true);
    clock.advanceMilliseconds(150);
    timer.setEnabled(true);
    clock.advanceMilliseconds(50);
    timer.poll();
    QCOMPARE(ticks.count, 1);
}

void TestDriftFreeTimer::disableInsideHandlerDropsRestOfBurst()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    TickCounter ticks;
    ticks.onTick = [&](int n) {
        if (n == 2)
            timer.setEnabled(false); // the session pauses on the second tick of the burst
    };
    ticks.attach(timer);
    timer.setEnabled(true);
    clock.advanceMilliseconds(1000);
    timer.poll();
    QCOMPARE(ticks.count, 2);
    QVERIFY(!timer.isEnabled());
    clock.advanceMilliseconds(1000);
    timer.poll();
    QCOMPARE(ticks.count, 2);
}

void TestDriftFreeTimer::reenableInsideHandlerStartsAfresh()
{
    FakeClock clock;
    DriftFreeTimer timer(clock);
    TickCounter ticks;
    ticks.onTick = [&](int n) {
        if (n == 2) {
            timer.setEnabled(false);
            timer.setEnabled(true);
        }
    };
    ticks.attach(timer);
    timer.setEnabled(true);
    clock.advanceMilliseconds(1000);
    timer.poll();
    QCOMPARE(ticks.count, 2); // the rest of the old burst is dropped
    QVERIFY(timer.isEnabled());
    timer.poll();
    QCOMPARE(ticks.count, 2); // nothing is due in the new run yet
    clock.advanceMilliseconds(200);
    timer.poll();
    QCOMPARE(ticks.count, 3);
}

void TestDriftFreeTimer::realClockCatchesUpAfterBlockedThread()
{
    DriftFreeTimer timer;
    TickCounter ticks;
    ticks.attach(timer);
    QElapsedTimer elapsed;
    const auto due = [&] { return int(elapsed.elapsed() / timer.interval()); };

    elapsed.start();
    timer.setEnabled(true);
    QTest::qWait(450);
    QVERIFY2(ticks.count >= 1 && ticks.count <= 3, qPrintable(QString::number(ticks.count)));

    // The thread is blocked past five periods; a plain timer would lose the ticks missed.
    QThread::msleep(1100);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count >= due() - 1, 500);
    const int lag = due() - ticks.count;
    QVERIFY2(lag >= -1 && lag <= 1,
             qPrintable(QStringLiteral("%1 ticks for %2 due").arg(ticks.count).arg(due())));

    timer.setEnabled(false);
    const int stopped = ticks.count;
    QTest::qWait(450);
    QCOMPARE(ticks.count, stopped);
}

void TestDriftFreeTimer::ticksFollowARecording_data()
{
    // The recording's position at each look, in ms; the system's clock moves 100 ms between looks.
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<int>("ticks");
    QTest::newRow("the sound's start-up is not counted")
        << QList<int>{0, 0, 0, 0, 50, 250, 450} << 2;
    QTest::newRow("a stalled output stalls the ticks")
        << QList<int>{0, 100, 200, 200, 200, 300} << 1;
    QTest::newRow("a reading left from before a seek is no movement")
        << QList<int>{5000, 5000, 0, 100, 400} << 2;
    QTest::newRow("ticks catch up with a recording that played on")
        << QList<int>{0, 100, 1100} << 5;
}

void TestDriftFreeTimer::ticksFollowARecording()
{
    QFETCH(QList<int>, positions);
    QFETCH(int, ticks);
    FakeClock system;
    qint64 position = positions.first();
    RecordingClock clock(system);
    DriftFreeTimer timer(clock);
    clock.follow([&] { return position * 1'000'000; }, 0);
    timer.startAt(clock.nowNanoseconds());
    for (const int look : positions) {
        system.advanceMilliseconds(100);
        position = look;
        timer.poll();
    }
    QCOMPARE(timer.delivered(), qint64(ticks));
    // Released, the clock runs on at the system's rate from where it stood, never back.
    const qint64 stood = clock.nowNanoseconds();
    clock.release();
    position = 0;
    system.advanceMilliseconds(200);
    QCOMPARE(clock.nowNanoseconds(), stood + 200'000'000);
}

QTEST_GUILESS_MAIN(TestDriftFreeTimer)
#include "test_drift_free_timer.moc"
