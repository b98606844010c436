// How exactly presses, releases and SPACE are counted when the user-interface thread is held up.
// Random timelines of a clinician's input (left and right holds; pauses and resumes with SPACE
// struck or held down with its auto-repeats, the middle button or the instructions; RESET while
// paused) are played
// into a real event loop, each event from a precise timer at its planned time, while the thread
// is blocked now and then for 0.2 to 2 s. Two sessions, each with its own drift-free tick
// source, take the same events: "ours" places each event at the time it happened (as the main
// window does with an input event's timestamp); "at arrival" applies it when the loop gets to it,
// after whatever catch-up ticks ran first. Both are compared with the same timeline applied in
// order with nothing held up: the tick error is the sum of the differences in sample, talking and
// cluttering ticks, and the counts must match. Prints each timeline and the worst and total
// error of each.
//
//   bench_marking_accuracy [--timelines N] [--seconds S] [--seed N]

#include "core/events/DriftFreeTimer.h"
#include "core/events/KeyCodes.h"
#include "core/events/KeyRepeat.h"
#include "core/events/MonotonicClock.h"
#include "core/session/SessionEngine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr qint64 Ms = 1'000'000;

// A session view with nothing to show but its tick source.
class TimerOnlyView : public SessionView {
public:
    explicit TimerOnlyView(DriftFreeTimer *timer) : m_timer(timer) {}
    void setText(SessionControl, const QString &) override {}
    void setForeColour(SessionControl, Rgb) override {}
    void setVisible(SessionControl, bool) override {}
    void setStartButton(const QString &, Rgb) override {}
    void setPointer(SessionPointer) override {}
    void setTimerEnabled(bool enabled, qint64 phase) override
    {
        if (!m_timer)
            return;
        if (enabled)
            m_timer->startAt(phase);
        else
            m_timer->setEnabled(false);
    }
    void showMessage(const QString &) override {}

private:
    DriftFreeTimer *m_timer;
};

// An engine driven by its own drift-free tick source, or by none (the reference).
struct Session {
    std::unique_ptr<DriftFreeTimer> timer;
    TimerOnlyView view;
    SessionEngine engine{view, ShownState{}};
    KeyRepeat space;

    explicit Session(bool ticking)
        : timer(ticking ? std::make_unique<DriftFreeTimer>() : nullptr), view(timer.get())
    {
        if (timer)
            QObject::connect(timer.get(), &DriftFreeTimer::timeout,
                             [this] { engine.Timer1_Timer(timer->lastDueNanoseconds()); });
        engine.Form_Load();
    }

    // `stamp` is the event's timestamp in milliseconds, as the windowing system gives it.
    void apply(char what, qint64 at, quint64 stamp)
    {
        switch (what) {
        case 'S':
            engine.Command1_KeyDown(keycodes::Space, !space.press(stamp), at);
            space.release(stamp);
            break;
        case 'K': engine.Command1_KeyDown(keycodes::Space, !space.press(stamp), at); break;
        case 'k': space.release(stamp); break;
        case 'M': engine.Form_MouseDown(4, at); break;
        case 'I': engine.Instructions_MouseDown(4, at); break;
        case 'X': engine.Command2_Click(at); break;
        case 'L': engine.Form_MouseDown(1, at); break;
        case 'l': engine.Form_MouseUp(1, at); break;
        case 'R': engine.Form_MouseDown(2, at); break;
        case 'r': engine.Form_MouseUp(2, at); break;
        default: break;
        }
    }
};

struct Event {
    qint64 at; // ns after the timeline's origin
    char what;
};

struct Stall {
    qint64 at;
    int milliseconds;
};

struct EventScript {
    QList<Event> events;
    QList<Stall> stalls;
    qint64 end;
};

EventScript randomTimeline(QRandomGenerator &random, int seconds)
{
    EventScript timeline;
    timeline.end = qint64(seconds) * 1000 * Ms;
    qint64 at = 200 * Ms;
    bool running = true;
    bool left = false;
    bool right = false;
    timeline.events << Event{at, 'S'};
    while ((at += (5 + random.bounded(900)) * Ms) < timeline.end - 3500 * Ms) {
        const int pick = random.bounded(100);
        char what = 'S';
        if (pick < 42) {
            what = (left = !left) ? 'L' : 'l';
        } else if (pick < 84) {
            what = (right = !right) ? 'R' : 'r';
        } else if (pick < 94 || running) {
            // SPACE struck, the middle button, or SPACE held with its auto-repeats: each a
            // release and a press of one stamp, every 33 ms from half a second on.
            what = pick < 88 ? 'S' : pick < 91 ? 'M' : 'K';
            running = !running;
        } else {
            // RESET and the instructions can be clicked only while paused.
            what = pick < 97 ? 'X' : 'I';
            running = what == 'I';
        }
        if (what != 'K') {
            timeline.events << Event{at, what};
            continue;
        }
        const qint64 release = at + (100 + random.bounded(2900)) * Ms;
        timeline.events << Event{at, 'K'};
        for (qint64 repeat = at + 500 * Ms; repeat < release; repeat += 33 * Ms)
            timeline.events << Event{repeat, 'k'} << Event{repeat, 'K'};
        timeline.events << Event{release, 'k'};
        at = release;
    }
    if (running)
        timeline.events << Event{timeline.end - 300 * Ms, 'S'};
    for (qint64 stall = 500 * Ms; (stall += (random.bounded(4000)) * Ms) < timeline.end;
         stall += 2000 * Ms)
        timeline.stalls << Stall{stall, 200 + random.bounded(1801)};
    return timeline;
}

struct Error {
    qint64 ticks = 0;
    bool countsDiffer = false;
};

Error compare(const SessionFields &truth, const SessionFields &seen)
{
    Error error;
    error.ticks = std::abs(truth.sampleTicks.value_or(0) - seen.sampleTicks.value_or(0)) +
                  std::abs(truth.talkTicks.value_or(0) - seen.talkTicks.value_or(0)) +
                  std::abs(truth.clutterTicks - seen.clutterTicks);
    error.countsDiffer = truth.talkCount.value_or(0) != seen.talkCount.value_or(0) ||
                         truth.clutterCount != seen.clutterCount;
    return error;
}

// Plays one timeline in the event loop; returns the errors of ours and of at-arrival.
std::pair<Error, Error> play(QCoreApplication &app, const EventScript &timeline)
{
    const SystemMonotonicClock clock;
    Session ours(true);
    Session atArrival(true);
    const qint64 origin = clock.nowNanoseconds() + 100 * Ms;
    const auto after = [&](qint64 at) {
        return int(std::max<qint64>(0, (origin + at - clock.nowNanoseconds()) / Ms));
    };
    QObject context;
    for (const Event &event : timeline.events) {
        QTimer::singleShot(after(event.at), Qt::PreciseTimer, &context, [&, event] {
            const auto stamp = quint64((origin + event.at) / Ms);
            ours.apply(event.what, origin + event.at, stamp);
            atArrival.apply(event.what, clock.nowNanoseconds(), stamp);
        });
    }
    for (const Stall &stall : timeline.stalls) {
        QTimer::singleShot(after(stall.at), Qt::PreciseTimer, &context, [ms = stall.milliseconds] {
            QThread::msleep(static_cast<unsigned long>(ms));
        });
    }
    QTimer::singleShot(after(timeline.end + 200 * Ms), Qt::PreciseTimer, &context,
                       [&app] { app.exit(); });
    app.exec();

    Session truth(false);
    for (const Event &event : timeline.events)
        truth.apply(event.what, origin + event.at, quint64((origin + event.at) / Ms));
    return {compare(truth.engine.fields(), ours.engine.fields()),
            compare(truth.engine.fields(), atArrival.engine.fields())};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Marking accuracy through stalls: events at their own time against at their arrival.");
    parser.addHelpOption();
    const QCommandLineOption timelinesOption("timelines", "Timelines to play (default 4).", "n",
                                             "4");
    const QCommandLineOption secondsOption("seconds", "Length of each timeline (default 20).", "s",
                                           "20");
    const QCommandLineOption seedOption("seed", "Random seed (default 1).", "n", "1");
    parser.addOptions({timelinesOption, secondsOption, seedOption});
    parser.process(app);
    const int timelines = std::max(1, parser.value(timelinesOption).toInt());
    const int seconds = std::max(3, parser.value(secondsOption).toInt());
    QRandomGenerator random(parser.value(seedOption).toUInt());

    QTextStream out(stdout);
    out << QStringLiteral("%1 timelines of %2 s, thread blocked 0.2-2 s at random")
               .arg(timelines)
               .arg(seconds)
        << Qt::endl;
    qint64 oursWorst = 0, oursTotal = 0, arrivalWorst = 0, arrivalTotal = 0;
    int countsDiffer = 0;
    for (int i = 1; i <= timelines; ++i) {
        const EventScript timeline = randomTimeline(random, seconds);
        const auto [ours, atArrival] = play(app, timeline);
        qint64 stalled = 0;
        for (const Stall &stall : timeline.stalls)
            stalled += stall.milliseconds;
        out << QStringLiteral("timeline %1: %2 events, %3 stalls (%4 s)   tick error: ours %5, "
                              "at arrival %6%7")
                   .arg(i)
                   .arg(timeline.events.size())
                   .arg(timeline.stalls.size())
                   .arg(double(stalled) / 1000, 0, 'f', 1)
                   .arg(ours.ticks)
                   .arg(atArrival.ticks)
                   .arg(ours.countsDiffer ? "   (ours: counts differ)" : "")
            << Qt::endl;
        oursWorst = std::max(oursWorst, ours.ticks);
        oursTotal += ours.ticks;
        arrivalWorst = std::max(arrivalWorst, atArrival.ticks);
        arrivalTotal += atArrival.ticks;
        countsDiffer += ours.countsDiffer ? 1 : 0;
    }
    out << Qt::endl
        << "tick error, worst timeline: ours " << oursWorst << ", at arrival " << arrivalWorst
        << Qt::endl
        << "tick error, total:          ours " << oursTotal << ", at arrival " << arrivalTotal
        << Qt::endl
        << "goal (ours 0 ticks, counts equal): "
        << (oursTotal == 0 && countsDiffer == 0 ? "met" : "MISSED") << Qt::endl;
    return 0;
}
