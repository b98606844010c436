#include "SessionTestSupport.h"

#include "core/text/NumberText.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <optional>

// Long seeded random sequences of window events run against the engine and against a plain
// reference model of the rules written here, step by step: the fields, the running flag, the
// messages, what the displays show, and the invariants that must hold whatever the sequence.
class TestSessionModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English)); }
    void randomSequences_data();
    void randomSequences();
};

namespace {

constexpr int Most16 = 32767;

// The rules restated as directly as possible, with wide integers so that a wrap in the engine
// would show as a difference.
struct Model {
    enum class Mode { Ready, Running, Paused };
    Mode mode = Mode::Ready;
    std::optional<qint64> sample, talk, talkCount;
    qint64 clutter = 0, clutterCount = 0;
    std::optional<bool> talkDown;
    bool clutterDown = false;
    bool clockGrey = false;
    bool markedGrey = false;
    int messages = 0;

    bool running() const { return mode == Mode::Running; }
    bool held() const { return talkDown.value_or(false); }

    void start() { mode = Mode::Running; }
    void pause() { mode = Mode::Paused; }
    // At a 16-bit limit the session pauses and lets both buttons go, colours included.
    void limitPause()
    {
        pause();
        if (held())
            talkDown = false;
        clutterDown = false;
        clockGrey = markedGrey = false;
        ++messages;
    }
    void toggle() { running() ? pause() : start(); }

    void tick()
    {
        if (!running())
            return;
        if (clutterDown && clutter == Most16) {
            limitPause();
            return;
        }
        sample = sample.value_or(0) + 1;
        if (held())
            talk = talk.value_or(0) + 1;
        if (clutterDown) {
            ++clutter;
            if (!held()) {
                talk = talk.value_or(0) + 1;
                clockGrey = true;
            }
        }
    }
    void down(int code)
    {
        if (code == 4) {
            toggle();
        } else if (code == 1 && running()) {
            talkDown = true;
            clockGrey = true;
        } else if (code == 2 && running()) {
            clutterDown = true;
            markedGrey = true;
        }
    }
    void up(int code)
    {
        if (code == 1 && held()) {
            talkDown = false;
            if (running() && !clutterDown)
                talkCount = talkCount.value_or(0) + 1;
            clockGrey = false;
        } else if (code == 2 && clutterDown) {
            if (running() && clutterCount == Most16) {
                limitPause();
                return;
            }
            if (running()) {
                ++clutterCount;
                if (!held())
                    talkCount = talkCount.value_or(0) + 1;
            }
            clutterDown = false;
            markedGrey = false;
            clockGrey = false;
        }
    }
    void key(int code, bool repeat)
    {
        if (code == 32 && !repeat)
            toggle();
    }
    void instructions(int code)
    {
        if (code == 4 && !running())
            start();
    }
    void reset()
    {
        if (running())
            return;
        sample = talk = talkCount = 0;
        clutter = clutterCount = 0;
        if (held()) {
            talkDown = false;
            clockGrey = false;
        }
        if (clutterDown) {
            clutterDown = false;
            markedGrey = clockGrey = false;
        }
        mode = Mode::Ready;
    }

    bool matches(const SessionFields &f) const
    {
        const auto same = [](std::optional<qint64> a, std::optional<qint32> b) {
            return a.has_value() == b.has_value() && (!a || *a == *b);
        };
        return same(sample, f.sampleTicks) && same(talk, f.talkTicks) &&
               same(talkCount, f.talkCount) && clutter == f.clutterTicks &&
               clutterCount == f.clutterCount && talkDown == f.talkDown &&
               (clutterDown ? -1 : 0) == f.clutterDown;
    }

    QString fields() const
    {
        const auto opt = [](std::optional<qint64> v) {
            return v ? QString::number(*v) : QStringLiteral("-");
        };
        return QStringLiteral("s=%1 t=%2 c=%3 tn=%4 cn=%5 td=%6 cd=%7")
            .arg(opt(sample), opt(talk), QString::number(clutter), opt(talkCount),
                 QString::number(clutterCount),
                 talkDown ? QString::number(int(*talkDown)) : QStringLiteral("-"),
                 clutterDown ? QStringLiteral("-1") : QStringLiteral("0"));
    }
};

enum class Profile { Mixed, ClutterMarathon, ClutterBursts };

// One event, applied to both the engine and the model; returns its name for failure reports.
class Driver {
public:
    Driver(SessionEngine &engine, Model &model, quint32 seed, Profile profile)
        : m_engine(engine), m_model(model), m_random(seed), m_profile(profile)
    {
    }

    QString next()
    {
        // While paused, the long profiles resume soon so that they can reach the limits.
        if (m_profile != Profile::Mixed && !m_model.running() && chance(0.3))
            return key(32, false);
        switch (m_profile) {
        case Profile::Mixed: return mixed();
        case Profile::ClutterMarathon: return marathon();
        case Profile::ClutterBursts: return bursts();
        }
        return {};
    }

    bool resetHappened() const { return m_lastWasReset; }

private:
    bool chance(double p) { return m_random.generateDouble() < p; }
    int anyCode() { return m_random.bounded(9); }
    int likelyCode()
    {
        const double p = m_random.generateDouble();
        return p < 0.4 ? 1 : p < 0.8 ? 2 : p < 0.9 ? 4 : anyCode();
    }

    QString mixed()
    {
        const double p = m_random.generateDouble();
        if (p < 0.40)
            return tick();
        if (p < 0.60)
            return down(likelyCode());
        if (p < 0.82)
            return up(likelyCode());
        if (p < 0.92)
            return key(chance(0.85) ? 32 : anyCode() + 60, chance(0.4));
        if (p < 0.95)
            return instructions(anyCode());
        return reset();
    }
    QString marathon()
    {
        // Ticks with the right button held nearly all the time, so cluttering time climbs fast.
        const double p = m_random.generateDouble();
        if (p < 0.955)
            return tick();
        if (p < 0.975)
            return m_model.clutterDown ? down(1) : down(2);
        if (p < 0.976)
            return up(2);
        if (p < 0.996)
            return up(1);
        if (p < 0.998)
            return key(32, chance(0.5));
        return down(anyCode());
    }

    QString bursts()
    {
        // Right presses and releases in turn, so the interval count climbs fast.
        const double p = m_random.generateDouble();
        if (p < 0.90)
            return m_model.clutterDown ? up(2) : down(2);
        if (p < 0.96)
            return tick();
        if (p < 0.98)
            return down(chance(0.5) ? 1 : anyCode());
        if (p < 0.999)
            return up(chance(0.5) ? 1 : anyCode());
        return key(32, chance(0.5));
    }

    QString tick()
    {
        m_lastWasReset = false;
        m_engine.Timer1_Timer(m_now += SessionEngine::TickNanoseconds);
        m_model.tick();
        return QStringLiteral("tick");
    }
    QString down(int code)
    {
        m_lastWasReset = false;
        m_engine.Form_MouseDown(code, m_now);
        m_model.down(code);
        return QStringLiteral("down %1").arg(code);
    }
    QString up(int code)
    {
        m_lastWasReset = false;
        m_engine.Form_MouseUp(code, m_now);
        m_model.up(code);
        return QStringLiteral("up %1").arg(code);
    }
    QString key(int code, bool repeat)
    {
        m_lastWasReset = false;
        m_engine.Command1_KeyDown(code, repeat, m_now);
        m_model.key(code, repeat);
        return QStringLiteral("key %1%2").arg(code).arg(repeat ? " repeat" : "");
    }
    QString instructions(int code)
    {
        m_lastWasReset = false;
        m_engine.Instructions_MouseDown(code, m_now);
        m_model.instructions(code);
        return QStringLiteral("instructions %1").arg(code);
    }
    QString reset()
    {
        m_lastWasReset = true;
        m_engine.Command2_Click(m_now);
        m_model.reset();
        return QStringLiteral("RESET");
    }

    SessionEngine &m_engine;
    Model &m_model;
    QRandomGenerator m_random;
    Profile m_profile;
    bool m_lastWasReset = false;
    qint64 m_now = 0;
};

struct Counters {
    qint64 sample, talk, clutter, talkCount, clutterCount;
    explicit Counters(const SessionFields &f)
        : sample(f.sampleTicks.value_or(0)), talk(f.talkTicks.value_or(0)), clutter(f.clutterTicks),
          talkCount(f.talkCount.value_or(0)), clutterCount(f.clutterCount)
    {
    }
    bool operator==(const Counters &) const = default;
    bool noneSmallerThan(const Counters &o) const
    {
        return sample >= o.sample && talk >= o.talk && clutter >= o.clutter &&
               talkCount >= o.talkCount && clutterCount >= o.clutterCount;
    }
};

QString ratio(double numerator, double divisor, const char *format)
{
    return divisor > 0 ? numbertext::pattern(numerator / divisor, QString::fromLatin1(format))
                       : QStringLiteral("  n/a ");
}

// The seven result texts the model expects at a pause.
QStringList expectedResults(const Model &m)
{
    const double s = double(m.sample.value_or(0));
    const double t = double(m.talk.value_or(0));
    const double c = double(m.clutter);
    const double tn = double(m.talkCount.value_or(0));
    const double cn = double(m.clutterCount);
    return {ratio(t, s, "0.0 %"),       ratio(c, s, "0.0 %"),      ratio(c, t, "0.0 %"),
            ratio(t / 5, tn, "0.00 "),  ratio(c / 5, cn, "0.00 "), ratio(cn * 300, s, "0.00 "),
            ratio(cn * 300, t, "0.00 ")};
}

// What the displays must show for the model's state; returns a description of the first
// mismatch, or an empty text.
QString displayMismatch(const RecordingView &view, const Model &m)
{
    using C = SessionControl;
    const auto oneOf = [&](C control, const QStringList &allowed) -> QString {
        const QString shown = view.text(control);
        return allowed.contains(shown)
                   ? QString()
                   : QStringLiteral("%1 shows \"%2\", expected one of \"%3\"")
                         .arg(QLatin1String(controlName(control)), shown, allowed.join("\", \""));
    };
    const QString placeholder = QStringLiteral("time(s)");
    const qint64 tn = m.talkCount.value_or(0);
    QStringList problems{
        oneOf(C::Label1, {placeholder, numbertext::plain(double(m.sample.value_or(0)) / 5)}),
        oneOf(C::Clock, {placeholder, numbertext::plain(double(m.talk.value_or(0)) / 5)}),
        oneOf(C::MarkedTime, {placeholder, numbertext::signedText(double(m.clutter) / 5)}),
        oneOf(C::LeftNumber, m.mode == Model::Mode::Ready && tn == 0 ? QStringList{"#", " 0"}
                             : tn == 0                               ? QStringList{" 0"}
                                       : QStringList{numbertext::plain(double(tn))}),
        oneOf(C::RightNumber,
              m.mode == Model::Mode::Ready && m.clutterCount == 0 ? QStringList{"#", " 0"}
              : m.clutterCount == 0                               ? QStringList{" 0"}
                                    : QStringList{numbertext::signedText(double(m.clutterCount))}),
    };
    if (m.mode == Model::Mode::Paused) {
        const QList<C> displays{
            C::Label5,  C::Label6, C::Label7, C::AvgSpeechInterval, C::AvgClutteringInterval,
            C::Label19, C::Label21};
        const QStringList expected = expectedResults(m);
        for (int i = 0; i < displays.size(); ++i)
            problems << oneOf(displays[i], {expected[i]});
    }
    const Rgb clock = m.clockGrey ? RecordingView::Grey : RecordingView::Teal;
    const Rgb marked = m.markedGrey ? RecordingView::Grey : RecordingView::Red;
    if (!(view.foreColour(C::Clock) == clock))
        problems << QStringLiteral("Clock colour %1").arg(describe(view.foreColour(C::Clock)));
    if (!(view.foreColour(C::MarkedTime) == marked))
        problems
            << QStringLiteral("MarkedTime colour %1").arg(describe(view.foreColour(C::MarkedTime)));
    const bool running = m.running();
    const bool paused = m.mode == Model::Mode::Paused;
    if (view.isVisible(C::Instructions) == running || view.isVisible(C::Shape2) == running)
        problems << QStringLiteral("instructions visibility");
    if (view.isVisible(C::Command2) != paused || view.isVisible(C::Label18) != paused ||
        view.isVisible(C::Label21) != paused)
        problems << QStringLiteral("RESET button or results panel visibility");
    if ((view.pointer() == SessionPointer::Stopwatch) != running)
        problems << QStringLiteral("pointer");
    problems.removeAll(QString());
    return problems.value(0);
}

} // namespace

void TestSessionModel::randomSequences_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("reachesLimit");
    QTest::addColumn<int>("displayCheckEvery");

    for (quint32 seed : {1u, 2u, 3u, 17u, 4242u, 90210u})
        QTest::addRow("mixed, seed %u", seed) << int(Profile::Mixed) << seed << 6000 << false << 1;
    for (quint32 seed : {5u, 77u})
        QTest::addRow("cluttering marathon, seed %u", seed)
            << int(Profile::ClutterMarathon) << seed << 45000 << true << 101;
    for (quint32 seed : {8u, 99u})
        QTest::addRow("cluttering bursts, seed %u", seed)
            << int(Profile::ClutterBursts) << seed << 75000 << true << 101;
}

void TestSessionModel::randomSequences()
{
    QFETCH(int, profile);
    QFETCH(quint32, seed);
    QFETCH(int, steps);
    QFETCH(bool, reachesLimit);
    QFETCH(int, displayCheckEvery);

    LoadedSession s;
    Model model;
    Driver driver(s.engine, model, seed, Profile(profile));
    QStringList recent;
    for (int i = 0; i < steps; ++i) {
        const Counters before(s.engine.fields());
        const bool wasRunning = s.engine.isRunning();
        const int messagesBefore = model.messages;
        s.view.clearLog();
        const QString event = driver.next();
        recent << event;
        if (recent.size() > 12)
            recent.removeFirst();
        const auto where = [&] {
            return QStringLiteral("step %1, last events: %2").arg(i).arg(recent.join(", "));
        };

        const SessionFields &f = s.engine.fields();
        const Counters after(f);
        if (!model.matches(f))
            QFAIL(qPrintable(QStringLiteral("fields %1, model %2 at %3")
                                 .arg(describe(f), model.fields(), where())));
        if (s.engine.isRunning() != model.running() || s.view.messages().size() != model.messages)
            QFAIL(qPrintable(QStringLiteral("running flag or messages differ at %1").arg(where())));
        if (!(after.talk <= after.sample && after.clutter <= after.talk))
            QFAIL(qPrintable(QStringLiteral("times out of order at %1").arg(where())));
        if (!driver.resetHappened() && !after.noneSmallerThan(before))
            QFAIL(qPrintable(QStringLiteral("a counter went back at %1").arg(where())));
        if (!driver.resetHappened() && !wasRunning && !s.engine.isRunning() && !(after == before))
            QFAIL(qPrintable(QStringLiteral("a counter changed while stopped at %1").arg(where())));
        // The long profiles check the displays now and then, and at every start, pause and limit.
        const bool checkDisplays = i % displayCheckEvery == 0 || i == steps - 1 ||
                                   wasRunning != s.engine.isRunning() ||
                                   messagesBefore != model.messages;
        if (!checkDisplays)
            continue;
        if (const QString problem = displayMismatch(s.view, model); !problem.isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 at %2").arg(problem, where())));
    }
    if (reachesLimit)
        QVERIFY2(model.messages > 0, "the sequence never reached a 16-bit limit");
    else
        QCOMPARE(model.messages, 0);
}

QTEST_APPLESS_MAIN(TestSessionModel)
#include "test_session_model.moc"
