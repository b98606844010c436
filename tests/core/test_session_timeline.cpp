#include "FakeClock.h"
#include "SessionTestSupport.h"
#include "core/events/DriftFreeTimer.h"
#include "core/events/KeyCodes.h"
#include "core/events/KeyRepeat.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <memory>

// Marks at their true time. A timeline of timestamped events is processed through the engine and
// the real tick source on a clock the test sets: once as it happens, then with the program held
// up now and then (stalls of 0.3 to 3 s, the events inside one read only at its end), in both
// orders Qt may process a stall's backlog in: the queued input first, or the catch-up ticks
// first. Whatever the stalls and the order, the session must come out as the undisturbed one:
// the seven fields, every text, colour and visibility and the start button, and every interval
// of its timeline, which agrees with its counters, right after each stall and at the end. SPACE
// goes through KeyRepeat with the event's time as its stamp, as the main window sends it, so a held
// SPACE's auto-repeats come as releases and presses of one stamp.
class TestSessionTimeline : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English)); }
    void handCases_data();
    void handCases();
    void randomTimelines_data();
    void randomTimelines();
    void lateEventBeyondHistoryHappensNow();
};

namespace {

constexpr qint64 Ms = 1'000'000;
constexpr qint64 Origin = 1'000'000 * Ms; // an arbitrary clock reading for the timeline's 0

struct Event {
    qint64 at; // ns after the origin
    // S SPACE struck (down and up at once), K/k SPACE down/up, M middle down, I middle down on
    // the instructions, X RESET click, L/l left down/up, R/r right down/up
    char what;
};

struct Stall {
    qint64 from;
    qint64 to;
};

enum class Order { InputFirst, CatchUpFirst };

struct EventScript {
    QList<Event> events; // in time order
    QList<Stall> stalls; // in time order, apart
    qint64 end = 0;
};

// The engine with the window's tick source on a fake clock, wired as Form1 wires them.
class TimedSession {
public:
    TimedSession() : m_view(m_timer), m_engine(m_view, RecordingView::design())
    {
        QObject::connect(&m_timer, &DriftFreeTimer::timeout,
                         [this] { m_engine.Timer1_Timer(m_timer.lastDueNanoseconds()); });
        m_engine.Form_Load();
    }

    // Runs the timeline; returns what the session showed after each stall and at the end.
    QStringList run(const EventScript &timeline, Order order)
    {
        QStringList seen;
        qsizetype next = 0;
        for (const Stall &stall : timeline.stalls) {
            while (next < timeline.events.size() && timeline.events[next].at <= stall.from)
                deliverOnTime(timeline.events[next++]);
            ticksUntil(stall.from);
            QList<Event> queued;
            while (next < timeline.events.size() && timeline.events[next].at < stall.to)
                queued << timeline.events[next++];
            endStall(stall.to, queued, order);
            seen << everything();
        }
        while (next < timeline.events.size())
            deliverOnTime(timeline.events[next++]);
        ticksUntil(timeline.end);
        seen << everything();
        return seen;
    }

    // The reference: no stall, but a look at the session at each stall's end.
    QStringList runWithoutStalls(const EventScript &timeline)
    {
        QStringList seen;
        qsizetype next = 0;
        for (const Stall &stall : timeline.stalls) {
            while (next < timeline.events.size() && timeline.events[next].at < stall.to)
                deliverOnTime(timeline.events[next++]);
            ticksUntil(stall.to);
            seen << everything();
        }
        while (next < timeline.events.size())
            deliverOnTime(timeline.events[next++]);
        ticksUntil(timeline.end);
        seen << everything();
        return seen;
    }

    const SessionEngine &engine() const { return m_engine; }

private:
    // A view whose timer is the real tick source.
    class View : public RecordingView {
    public:
        explicit View(DriftFreeTimer &timer) : m_timer(timer) {}
        void setTimerEnabled(bool enabled, qint64 phase) override
        {
            RecordingView::setTimerEnabled(enabled, phase);
            if (enabled)
                m_timer.startAt(phase);
            else
                m_timer.setEnabled(false);
        }

    private:
        DriftFreeTimer &m_timer;
    };

    // The tick source wakes at every tick due up to `time`.
    void ticksUntil(qint64 time)
    {
        const qint64 interval = qint64(m_timer.interval()) * Ms;
        while (m_timer.isEnabled() && m_timer.lastDueNanoseconds() + interval <= Origin + time) {
            m_clock.setNanoseconds(m_timer.lastDueNanoseconds() + interval);
            m_timer.poll();
        }
    }

    void deliverOnTime(const Event &event)
    {
        ticksUntil(event.at);
        m_clock.setNanoseconds(Origin + event.at);
        deliver(event);
    }

    void endStall(qint64 to, const QList<Event> &queued, Order order)
    {
        m_clock.setNanoseconds(Origin + to);
        if (order == Order::CatchUpFirst)
            m_timer.poll();
        for (const Event &event : queued)
            deliver(event);
        m_timer.poll();
    }

    void deliver(const Event &event)
    {
        const qint64 at = Origin + event.at;
        const auto stamp = quint64(at / Ms);
        switch (event.what) {
        case 'S':
            space(stamp, at);
            m_space.release(stamp);
            break;
        case 'K': space(stamp, at); break;
        case 'k': m_space.release(stamp); break;
        case 'M': m_engine.Form_MouseDown(4, at); break;
        case 'I': m_engine.Instructions_MouseDown(4, at); break;
        case 'X': m_engine.Command2_Click(at); break;
        case 'L': m_engine.Form_MouseDown(1, at); break;
        case 'l': m_engine.Form_MouseUp(1, at); break;
        case 'R': m_engine.Form_MouseDown(2, at); break;
        case 'r': m_engine.Form_MouseUp(2, at); break;
        default: QFAIL("unknown event");
        }
    }

    void space(quint64 stamp, qint64 at)
    {
        m_engine.Command1_KeyDown(keycodes::Space, !m_space.press(stamp), at);
    }

    // The seven fields, every text, colour and visibility, the start button, pointer and timer.
    QString everything() const
    {
        QStringList parts{describe(m_engine.fields())};
        for (int i = 0; i < SessionControlCount; ++i) {
            const auto control = SessionControl(i);
            parts << QStringLiteral("%1=\"%2\"%3%4")
                         .arg(QLatin1String(controlName(control)), m_view.text(control),
                              describe(m_view.foreColour(control)),
                              m_view.isVisible(control) ? "" : " hidden");
        }
        parts << m_view.startCaption() << describe(m_view.startBack())
              << QString::number(int(m_view.pointer()))
              << (m_view.timerEnabled()
                      ? QStringLiteral("timer from %1").arg(m_view.timerPhase() - Origin)
                      : QStringLiteral("timer off"));
        // Every interval at its place, as the counters have them.
        for (const Timeline::Interval &interval : m_engine.timeline().intervals())
            parts << QStringLiteral("interval %1 %2-%3 %4")
                         .arg(int(interval.channel))
                         .arg(interval.start)
                         .arg(interval.end)
                         .arg(int(interval.status));
        for (const qint32 pause : m_engine.timeline().pauses())
            parts << QStringLiteral("pause %1").arg(pause);
        parts << sessionscript::disagreement(m_engine);
        return parts.join(QLatin1Char('\n'));
    }

    FakeClock m_clock;
    DriftFreeTimer m_timer{m_clock};
    View m_view;
    SessionEngine m_engine;
    KeyRepeat m_space;
};

// SPACE held from `from` to `to`: the key goes down, and from half a second on the keyboard
// repeats it every 33 ms, each repeat a release and a press with one stamp.
void holdSpace(QList<Event> &events, qint64 from, qint64 to)
{
    events << Event{from, 'K'};
    for (qint64 at = from + 500 * Ms; at < to; at += 33 * Ms)
        events << Event{at, 'k'} << Event{at, 'K'};
    events << Event{to, 'k'};
}

// "S@50 L@1100 l@2500" and "2100-3600 ..." in milliseconds.
EventScript parse(const QString &events, const QString &stalls, int endMs)
{
    EventScript timeline;
    for (const QString &item : events.split(' ', Qt::SkipEmptyParts))
        timeline.events << Event{item.mid(2).toLongLong() * Ms, item.at(0).toLatin1()};
    for (const QString &item : stalls.split(' ', Qt::SkipEmptyParts)) {
        const QStringList ends = item.split('-');
        timeline.stalls << Stall{ends[0].toLongLong() * Ms, ends[1].toLongLong() * Ms};
    }
    timeline.end = std::max(endMs * Ms, timeline.events.last().at + 1000 * Ms);
    return timeline;
}

// About 20 s of a clinician's hands: speech and cluttering marked with the two buttons, a pause
// and a resume now and then with SPACE (struck or held), the middle button or the instructions,
// RESET while paused, some events on the tick grid; stalls anywhere. Events fall on whole
// milliseconds as the windowing system stamps them; stalls end half-way between two.
EventScript randomTimeline(quint32 seed)
{
    QRandomGenerator random(seed);
    EventScript timeline;
    timeline.end = 20'000 * Ms;
    qint64 at = (100 + random.bounded(500)) * Ms;
    qint64 runStart = at;
    bool running = true;
    bool left = false;
    bool right = false;
    timeline.events << Event{at, 'S'};
    while (true) {
        at += (1 + random.bounded(700)) * Ms;
        if (running && random.bounded(8) == 0) // right on a tick
            at = runStart + (at - runStart + 199 * Ms) / (200 * Ms) * (200 * Ms);
        if (at >= timeline.end)
            break;
        const int pick = random.bounded(100);
        char what = 0;
        if (pick < 36) {
            what = left ? 'l' : 'L';
            left = !left;
        } else if (pick < 72) {
            what = right ? 'r' : 'R';
            right = !right;
        } else if (pick < 92 || running) {
            // RESET and the instructions are hidden while the session runs.
            what = pick < 84 || pick >= 92 ? 'S' : pick < 88 ? 'M' : 'K';
            running = !running;
            runStart = at;
        } else if (pick < 96) {
            what = 'X';
        } else {
            what = 'I';
            running = true;
            runStart = at;
        }
        if (what == 'K') {
            const qint64 release =
                std::min(at + (100 + random.bounded(2900)) * Ms, timeline.end - Ms);
            holdSpace(timeline.events, at, release);
            at = release;
        } else {
            timeline.events << Event{at, what};
        }
    }
    qint64 from = random.bounded(3000) * Ms + Ms / 2;
    while (from < timeline.end) {
        const qint64 to = from + (300 + random.bounded(2701)) * Ms;
        timeline.stalls << Stall{from, to};
        from = to + random.bounded(4000) * Ms + Ms;
    }
    return timeline;
}

// The events of SPACE held from `fromMs` to `toMs`, as parse() reads them.
QString heldSpace(int fromMs, int toMs)
{
    QList<Event> events;
    holdSpace(events, fromMs * Ms, toMs * Ms);
    QStringList items;
    for (const Event &event : events)
        items << QStringLiteral("%1@%2").arg(QLatin1Char(event.what)).arg(event.at / Ms);
    return items.join(QLatin1Char(' '));
}

QString firstDifference(const QStringList &expected, const QStringList &actual)
{
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QStringList want = expected[i].split('\n');
        const QStringList got = actual.value(i).split('\n');
        for (qsizetype line = 0; line < want.size(); ++line) {
            if (want[line] != got.value(line))
                return QStringLiteral("look %1: expected %2, got %3")
                    .arg(i)
                    .arg(want[line], got.value(line));
        }
    }
    return {};
}

} // namespace

void TestSessionTimeline::handCases_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("stalls");
    QTest::addColumn<QString>("expected");

    // Ticks fall due 200 ms after each start, every 200 ms; a release at t counts the ticks up
    // to t, a pause at t none after it. A 1.4 s hold is 7 ticks.
    QTest::newRow("release inside a stall") << "S@50 L@1100 l@2500 S@4100"
                                            << "2100-3600"
                                            << "s=20 t=7 c=0 tn=1 cn=0 td=0 cd=0";
    QTest::newRow("press inside a stall") << "S@50 L@1700 l@3000 S@4100"
                                          << "1500-2600"
                                          << "s=20 t=6 c=0 tn=1 cn=0 td=0 cd=0";
    QTest::newRow("SPACE pause inside a stall") << "S@50 L@500 l@1500 S@2300"
                                                << "2000-3200"
                                                << "s=11 t=5 c=0 tn=1 cn=0 td=0 cd=0";
    QTest::newRow("SPACE start inside a stall") << "S@50 S@1010 S@2330 L@2600 l@3300 S@4000"
                                                << "2100-2900"
                                                << "s=12 t=3 c=0 tn=1 cn=0 td=0 cd=0";
    QTest::newRow("both buttons changing inside one stall")
        << "S@50 L@400 R@900 r@2200 l@2400 R@2600 r@4200 S@5000"
        << "2000-3500"
        << "s=24 t=18 c=14 tn=2 cn=2 td=0 cd=0";
    QTest::newRow("pause and start inside one stall") << "S@50 L@300 S@1130 S@1770 l@2900 S@3000"
                                                      << "1000-2500"
                                                      << "s=11 t=9 c=0 tn=1 cn=0 td=0 cd=0";
    // A held SPACE starts once, however many auto-repeats it makes.
    QTest::newRow("SPACE held 3 s, struck a second later") << heldSpace(50, 3050) + " S@4050"
                                                           << "1000-2500"
                                                           << "s=20 t=- c=0 tn=- cn=0 td=- cd=0";
    QTest::newRow("RESET between a pause and a start, all inside one stall")
        << "S@50 L@300 l@600 S@1100 X@1300 S@1500 S@1900"
        << "1000-2000"
        << "s=2 t=0 c=0 tn=0 cn=0 td=0 cd=0";
    // The talking time was never coloured: it keeps its design colour after the replay.
    QTest::newRow("right press and pause before the first tick, read after catching up")
        << "S@50 R@100 S@150"
        << "120-1500"
        << "s=- t=- c=0 tn=- cn=0 td=- cd=-1";
    QTest::newRow("pause a millisecond before the first tick, read after it")
        << "S@50 R@100 S@249"
        << "248-251"
        << "s=- t=- c=0 tn=- cn=0 td=- cd=-1";
    QTest::newRow("half a minute held up") << "S@50 L@1000 l@5000 S@40000"
                                           << "500-35000"
                                           << "s=199 t=20 c=0 tn=1 cn=0 td=0 cd=0";
}

void TestSessionTimeline::handCases()
{
    QFETCH(QString, events);
    QFETCH(QString, stalls);
    QFETCH(QString, expected);
    const EventScript timeline = parse(events, stalls, 6000);

    TimedSession undisturbed;
    const QStringList reference = undisturbed.runWithoutStalls(timeline);
    QCOMPARE(describe(undisturbed.engine().fields()), expected);
    QCOMPARE(sessionscript::disagreement(undisturbed.engine()), QString());
    for (const Order order : {Order::InputFirst, Order::CatchUpFirst}) {
        TimedSession stalled;
        const QStringList seen = stalled.run(timeline, order);
        QVERIFY2(seen == reference, qPrintable(firstDifference(reference, seen)));
    }
}

void TestSessionTimeline::randomTimelines_data()
{
    QTest::addColumn<quint32>("firstSeed");
    QTest::addColumn<int>("count");
#ifdef TALLYMERE_SANITIZE
    const int perRow = 50;
#else
    const int perRow = 500;
#endif
    for (quint32 row = 0; row < 4; ++row) {
        const quint32 first = 1 + row * quint32(perRow);
        QTest::addRow("seeds %u to %u", first, first + quint32(perRow) - 1) << first << perRow;
    }
}

void TestSessionTimeline::randomTimelines()
{
    QFETCH(quint32, firstSeed);
    QFETCH(int, count);
    for (quint32 seed = firstSeed; seed < firstSeed + quint32(count); ++seed) {
        const EventScript timeline = randomTimeline(seed);
        TimedSession undisturbed;
        const QStringList reference = undisturbed.runWithoutStalls(timeline);
        const QString disagreement = sessionscript::disagreement(undisturbed.engine());
        if (!disagreement.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(disagreement)));
        for (const Order order : {Order::InputFirst, Order::CatchUpFirst}) {
            TimedSession stalled;
            const QStringList seen = stalled.run(timeline, order);
            if (seen != reference)
                QFAIL(qPrintable(
                    QStringLiteral("seed %1, %2: %3")
                        .arg(seed)
                        .arg(order == Order::InputFirst ? "input first" : "catch-up first")
                        .arg(firstDifference(reference, seen))));
        }
    }
}

// An event older than the history the engine keeps cannot be placed: it happens at the present.
void TestSessionTimeline::lateEventBeyondHistoryHappensNow()
{
    LoadedSession s;
    s.engine.Command1_KeyDown(keycodes::Space, false, 0);
    s.engine.Form_MouseDown(1, 0);
    s.engine.Timer1_Timer(400 * SessionEngine::TickNanoseconds); // 80 s of ticks
    s.engine.Form_MouseUp(1, SessionEngine::TickNanoseconds);
    QCOMPARE(describe(s.engine.fields()), QStringLiteral("s=400 t=400 c=0 tn=1 cn=0 td=0 cd=0"));
}

QTEST_GUILESS_MAIN(TestSessionTimeline)
#include "test_session_timeline.moc"
