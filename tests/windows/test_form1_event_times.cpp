#include "Form1Harness.h"

#include "windows/main/Form1Surface.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

// Input events carry the time they happened (QInputEvent::timestamp(), milliseconds of the
// monotonic clock modulo 2^32): the main window counts them at that time, even when it reads them
// after a stall and after the timer's catch-up ticks. Stamps that cannot be the event's time
// count at its arrival, and so do all stamps until one has shown their clock to be ours by
// coming at once. The clock is the harness's manual clock; events are sent with explicit stamps.
class TestForm1EventTimes : public QObject {
    Q_OBJECT

    Form1Harness m_harness;

    Form1 &form() { return *m_harness.window; }
    QString text(const char *name) { return m_harness.control<QLabel>(name)->text(); }
    quint64 nowStamp() const { return quint64(m_harness.clock.milliseconds()); }

    void mouse(QWidget &target, QEvent::Type type, Qt::MouseButton button, quint64 stamp)
    {
        const QPoint where(10, 10);
        QMouseEvent event(type, where, target.mapToGlobal(where), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        event.setTimestamp(stamp);
        QCoreApplication::sendEvent(&target, &event);
    }
    void surfaceMouse(QEvent::Type type, Qt::MouseButton button, quint64 stamp)
    {
        mouse(form().surface(), type, button, stamp);
    }
    void key(QEvent::Type type, quint64 stamp, Qt::Key which = Qt::Key_Space)
    {
        QKeyEvent event(type, which, Qt::NoModifier, QStringLiteral(" "));
        event.setTimestamp(stamp);
        QCoreApplication::sendEvent(m_harness.control("Command1"), &event);
    }
    void space(quint64 stamp)
    {
        key(QEvent::KeyPress, stamp);
        key(QEvent::KeyRelease, stamp);
    }
    // The clock moves on while the program is held up; then Qt runs the timer's catch-up and
    // the queued input, in either order.
    void stall(int ms) { m_harness.clock.advanceMilliseconds(ms); }
    void catchUp() { form().timer().poll(); }

private slots:
    void initTestCase() { Form1Harness::setUpApplication(); }
    void cleanup() { m_harness.window.reset(); }

    void releaseAfterAStall_data();
    void releaseAfterAStall();
    void spaceInsideAStall_data();
    void spaceInsideAStall();
    void startOnInstructionsAMomentAgo();
    void waylandRepeatsLeaveTheStampsTrusted();
};

void TestForm1EventTimes::releaseAfterAStall_data()
{
    QTest::addColumn<qint64>("clockShift"); // ms added to the clock before the window opens
    QTest::addColumn<QString>("stamp");     // how the release is stamped
    QTest::addColumn<QString>("talkTime");
    QTest::addColumn<qint64>("startBehind"); // ms the start's stamp lags the clock
    QTest::addColumn<qint64>("behind");      // and the later stamps

    // Left pressed 1 s after the start, the program held up from 1.0 s to 2.5 s, the release at
    // 1.7 s: 3 ticks of speech (1.2, 1.4, 1.6 s) at its true time, 7 counted at its arrival.
    QTest::newRow("true time") << qint64(0) << "true"
                               << "0.6" << qint64(0) << qint64(0);
    QTest::newRow("true time, the clock wrapping meanwhile") << (qint64(1) << 31) - 1200 << "true"
                                                             << "0.6" << qint64(0) << qint64(0);
    QTest::newRow("counted modulo 2^32") << qint64(0) << "true + 2^32"
                                         << "0.6" << qint64(0) << qint64(0);
    QTest::newRow("no stamp (0)") << qint64(0) << "zero"
                                  << "1.4" << qint64(0) << qint64(0);
    QTest::newRow("far in the future") << qint64(0) << "future"
                                       << "1.4" << qint64(0) << qint64(0);
    QTest::newRow("half a wrap away") << qint64(0) << "half wrap"
                                      << "1.4" << qint64(0) << qint64(0);
    QTest::newRow("older than a few seconds") << qint64(0) << "old"
                                              << "1.4" << qint64(0) << qint64(0);
    QTest::newRow("before the previous event") << qint64(0) << "before press"
                                               << "1.4" << qint64(0) << qint64(0);
    // Stamps from another clock, or from ours after a jump, count at their arrival.
    QTest::newRow("another clock, 5 s behind") << qint64(0) << "true"
                                               << "1.4" << qint64(5000) << qint64(5000);
    QTest::newRow("another clock, 40 s behind") << qint64(0) << "true"
                                                << "1.4" << qint64(40'000) << qint64(40'000);
    QTest::newRow("a jump back of 40 s after the start") << qint64(0) << "true"
                                                         << "1.4" << qint64(0) << qint64(40'000);
}

void TestForm1EventTimes::releaseAfterAStall()
{
    QFETCH(qint64, clockShift);
    QFETCH(QString, stamp);
    QFETCH(QString, talkTime);
    QFETCH(qint64, startBehind);
    QFETCH(qint64, behind);
    m_harness.clock.advanceMilliseconds(clockShift);
    m_harness.open();
    const quint64 start = nowStamp();
    space(start - startBehind);
    m_harness.tick(5);
    surfaceMouse(QEvent::MouseButtonPress, Qt::LeftButton, nowStamp() - behind);
    QCOMPARE(text("Clock"), QStringLiteral("time(s)"));
    stall(1500);
    catchUp();
    QCOMPARE(text("Clock"), QStringLiteral("1.4")); // held through the catch-up, so far

    const quint64 now = nowStamp();
    const quint64 trueTime = start + 1700;
    // As the windowing system gives them: 32 bits.
    const auto wrapped = [](quint64 ms) { return quint64(quint32(ms)); };
    const QHash<QString, quint64> stamps{
        {"true", wrapped(trueTime - behind)},
        {"true + 2^32", wrapped(trueTime) + (quint64(1) << 32)},
        {"zero", 0},
        {"future", wrapped(now + 100'000)},
        {"half wrap", wrapped(now + (quint64(1) << 31))},
        {"old", wrapped(now - 6000)},
        {"before press", wrapped(start + 900)},
    };
    surfaceMouse(QEvent::MouseButtonRelease, Qt::LeftButton, stamps.value(stamp));
    QCOMPARE(text("Clock"), talkTime);
    QCOMPARE(text("LeftNumber"), QStringLiteral("1"));
    QCOMPARE(text("Label1"), QStringLiteral("2.4")); // the stopwatch runs on either way
    m_harness.tick(1);
    QCOMPARE(text("Clock"), talkTime);
}

void TestForm1EventTimes::spaceInsideAStall_data()
{
    QTest::addColumn<bool>("catchUpFirst");
    QTest::newRow("catch-up ticks first") << true;
    QTest::newRow("queued input first") << false;
}

void TestForm1EventTimes::spaceInsideAStall()
{
    QFETCH(bool, catchUpFirst);
    m_harness.open();
    const quint64 start = nowStamp();
    space(start);
    m_harness.tick(5);
    stall(1500);
    if (catchUpFirst)
        catchUp();
    // SPACE 0.3 s into the stall: the sample ends at 1.3 s, 6 ticks.
    space(start + 1300);
    catchUp();
    QCOMPARE(form().engine().state(), SessionEngine::State::Paused);
    QCOMPARE(text("Label1"), QStringLiteral("1.2"));
    QCOMPARE(text("Label5"), QStringLiteral("0.0 %"));
    QVERIFY(!form().timer().isEnabled());
}

// A start a moment ago ticks from that moment: the ticks already due come at once.
void TestForm1EventTimes::startOnInstructionsAMomentAgo()
{
    m_harness.open();
    // A key that does nothing, read as it is pressed, shows that the stamps are the clock's.
    key(QEvent::KeyPress, nowStamp(), Qt::Key_A);
    m_harness.clock.advanceMilliseconds(1000);
    mouse(*m_harness.control("Instructions"), QEvent::MouseButtonPress, Qt::MiddleButton,
          nowStamp() - 450);
    QCOMPARE(form().engine().state(), SessionEngine::State::Running);
    catchUp();
    QCOMPARE(text("Label1"), QStringLiteral("0.4"));
    m_harness.clock.advanceMilliseconds(150);
    catchUp();
    QCOMPARE(text("Label1"), QStringLiteral("0.6"));
}

// A SPACE held on Wayland repeats with its first press's stamp. The repeats do nothing, so they
// leave the clock alone: the stamps stay trusted and a release read late counts at its time.
void TestForm1EventTimes::waylandRepeatsLeaveTheStampsTrusted()
{
    m_harness.open();
    const quint64 start = nowStamp();
    key(QEvent::KeyPress, start);
    m_harness.tick(5);
    surfaceMouse(QEvent::MouseButtonPress, Qt::LeftButton, nowStamp());
    for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress, QEvent::KeyRelease})
        spaceevents::send(m_harness.control("Command1"), type, start, true);
    stall(1500);
    catchUp();
    surfaceMouse(QEvent::MouseButtonRelease, Qt::LeftButton, start + 1700);
    QCOMPARE(text("Clock"), QStringLiteral("0.6"));
    QCOMPARE(form().engine().state(), SessionEngine::State::Running);
}

QTEST_MAIN(TestForm1EventTimes)
#include "test_form1_event_times.moc"
