#include "SessionTestSupport.h"

#include <QLocale>
#include <QTest>

// The counting session driven through its window events against a recording view: the tick,
// press and release rules, start/pause/RESET and what each state shows, the results at a pause,
// releases while not running, SPACE auto-repeat, and the 16-bit limits of the cluttering fields.
class TestSessionEngine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English)); }
    void load();
    void stateTable_data();
    void stateTable();
    void transitionOrder();
    void displayText_data();
    void displayText();
    void colours_data();
    void colours();
    void counting_data();
    void counting();
    void nothingChanges_data();
    void nothingChanges();
    void releasesWhileNotRunning_data();
    void releasesWhileNotRunning();
    void results_data();
    void results();
    void resumeEquivalence_data();
    void resumeEquivalence();
    void clutterTimeLimit_data();
    void clutterTimeLimit();
    void clutterCountLimit_data();
    void clutterCountLimit();
};

namespace {

const QString RunningCaption = QStringLiteral("SPACE BAR (or MOUSE WHEEL) to STOP/PAUSE");
const QString PausedCaption = QStringLiteral("SPACE BAR (or MOUSE WHEEL) to START");
const QString NA = QStringLiteral("  n/a ");
const QString Teal = describe(RecordingView::Teal);
const QString Red = describe(RecordingView::Red);
const QString Grey = describe(RecordingView::Grey);
const QString Fresh = QStringLiteral("s=- t=- c=0 tn=- cn=0 td=- cd=0");

const QList<SessionControl> ResultsPanel{
    SessionControl::Label18,
    SessionControl::Shape4,
    SessionControl::Label8,
    SessionControl::Label10,
    SessionControl::Label11,
    SessionControl::Label12,
    SessionControl::Label5,
    SessionControl::Label6,
    SessionControl::Label7,
    SessionControl::Shape3,
    SessionControl::Label16,
    SessionControl::Label14,
    SessionControl::Label15,
    SessionControl::AvgSpeechInterval,
    SessionControl::AvgClutteringInterval,
    SessionControl::Shape5,
    SessionControl::Label17,
    SessionControl::Label20,
    SessionControl::Label22,
    SessionControl::Label19,
    SessionControl::Label21,
};

const QList<SessionControl> ResultDisplays{
    SessionControl::Label5,
    SessionControl::Label6,
    SessionControl::Label7,
    SessionControl::AvgSpeechInterval,
    SessionControl::AvgClutteringInterval,
    SessionControl::Label19,
    SessionControl::Label21,
};

const QList<SessionControl> ValueDisplays{
    SessionControl::Label1,     SessionControl::Clock,       SessionControl::MarkedTime,
    SessionControl::LeftNumber, SessionControl::RightNumber,
};

// 1 when every control of the results panel is shown, 0 when all are hidden, -1 when mixed.
int panelVisibility(const RecordingView &view)
{
    int shown = 0;
    for (const SessionControl control : ResultsPanel)
        shown += view.isVisible(control) ? 1 : 0;
    return shown == ResultsPanel.size() ? 1 : shown == 0 ? 0 : -1;
}

QStringList texts(const RecordingView &view, const QList<SessionControl> &controls)
{
    QStringList result;
    for (const SessionControl control : controls)
        result << view.text(control);
    return result;
}

} // namespace

void TestSessionEngine::load()
{
    LoadedSession s;
    QVERIFY(!s.view.timerEnabled());
    QVERIFY(!s.engine.isRunning());
    QCOMPARE(s.engine.state(), SessionEngine::State::Ready);
    QCOMPARE(s.view.pointer(), SessionPointer::Default);
    QVERIFY(s.view.isVisible(SessionControl::Instructions));
    QVERIFY(s.view.isVisible(SessionControl::Label13));
    QVERIFY(s.view.isVisible(SessionControl::Shape2));
    QVERIFY(!s.view.isVisible(SessionControl::Command2));
    QCOMPARE(panelVisibility(s.view), 0);
    QCOMPARE(texts(s.view, ValueDisplays),
             (QStringList{"time(s)", "time(s)", "time(s)", "#", "#"}));
    // The start button keeps its design look and the fields stay unwritten.
    QCOMPARE(s.view.startCaption(), RecordingView::DesignStartCaption);
    QCOMPARE(describe(s.view.startBack()), describe(RecordingView::DesignStartBack));
    QCOMPARE(describe(s.engine.fields()), Fresh);
    QVERIFY(s.view.messages().isEmpty());
}

void TestSessionEngine::stateTable_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("back");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<bool>("instructions");
    QTest::addColumn<bool>("panel");
    QTest::addColumn<bool>("stopwatch");
    QTest::addColumn<QString>("leftNumber");
    QTest::addColumn<QString>("label1");

    const int ready = int(SessionEngine::State::Ready);
    const int running = int(SessionEngine::State::Running);
    const int paused = int(SessionEngine::State::Paused);
    const QString design = RecordingView::DesignStartCaption;
    const QString designBack = describe(RecordingView::DesignStartBack);
    const QString green = QStringLiteral("(200,255,200)");
    const QString pink = QStringLiteral("(255,200,200)");

    QTest::newRow("ready after load")
        << "" << ready << design << designBack << false << true << false << false << "#"
        << "time(s)";
    QTest::newRow("running") << "S" << running << RunningCaption << green << false << false << false
                             << true << " 0"
                             << "time(s)";
    QTest::newRow("paused") << "S t*3 S" << paused << PausedCaption << pink << true << true << true
                            << false << " 0"
                            << "0.6";
    QTest::newRow("ready after reset")
        << "S t*3 S X" << ready << PausedCaption << pink << false << true << false << false << "#"
        << "time(s)";
    QTest::newRow("resumed") << "S L t*3 l S S" << running << RunningCaption << green << false
                             << false << false << true << "1"
                             << "0.6";
    QTest::newRow("started by middle button")
        << "M" << running << RunningCaption << green << false << false << false << true << " 0"
        << "time(s)";
    QTest::newRow("paused by middle button")
        << "S t M" << paused << PausedCaption << pink << true << true << true << false << " 0"
        << "0.2";
    QTest::newRow("started by middle on instructions")
        << "I" << running << RunningCaption << green << false << false << false << true << " 0"
        << "time(s)";
    QTest::newRow("resumed from instructions") << "S t S I" << running << RunningCaption << green
                                               << false << false << false << true << " 0"
                                               << "0.2";
    QTest::newRow("middle on instructions never pauses")
        << "S t I" << running << RunningCaption << green << false << false << false << true << " 0"
        << "0.2";
    QTest::newRow("new session after reset") << "S L t l S X S" << running << RunningCaption
                                             << green << false << false << false << true << " 0"
                                             << "time(s)";
    QTest::newRow("held SPACE repeats ignored") << "S A A A" << running << RunningCaption << green
                                                << false << false << false << true << " 0"
                                                << "time(s)";
    QTest::newRow("held SPACE then a new press")
        << "S A A S" << paused << PausedCaption << pink << true << true << true << false << " 0"
        << "time(s)";
    QTest::newRow("other key does not start")
        << "K" << ready << design << designBack << false << true << false << false << "#"
        << "time(s)";
    QTest::newRow("RESET refused while running")
        << "S t X" << running << RunningCaption << green << false << false << false << true << " 0"
        << "0.2";
}

void TestSessionEngine::stateTable()
{
    QFETCH(QString, script);
    QFETCH(int, state);
    QFETCH(QString, caption);
    QFETCH(QString, back);
    QFETCH(bool, reset);
    QFETCH(bool, instructions);
    QFETCH(bool, panel);
    QFETCH(bool, stopwatch);
    QFETCH(QString, leftNumber);
    QFETCH(QString, label1);

    LoadedSession s(script);
    const bool running = state == int(SessionEngine::State::Running);
    QCOMPARE(int(s.engine.state()), state);
    QCOMPARE(s.view.timerEnabled(), running);
    QCOMPARE(s.engine.isRunning(), running);
    QCOMPARE(s.view.startCaption(), caption);
    QCOMPARE(describe(s.view.startBack()), back);
    QCOMPARE(s.view.isVisible(SessionControl::Command2), reset);
    QCOMPARE(s.view.isVisible(SessionControl::Label13), instructions);
    QCOMPARE(s.view.isVisible(SessionControl::Instructions), instructions);
    QCOMPARE(s.view.isVisible(SessionControl::Shape2), instructions);
    QCOMPARE(panelVisibility(s.view), panel ? 1 : 0);
    QCOMPARE(s.view.pointer(), stopwatch ? SessionPointer::Stopwatch : SessionPointer::Default);
    QCOMPARE(s.view.text(SessionControl::LeftNumber), leftNumber);
    QCOMPARE(s.view.text(SessionControl::RightNumber), leftNumber == "1" ? " 0" : leftNumber);
    QCOMPARE(s.view.text(SessionControl::Label1), label1);
    QVERIFY(s.view.messages().isEmpty());
}

void TestSessionEngine::transitionOrder()
{
    // The timer is switched first, so no tick slips in; the pointer is set last at a start and
    // the seven results are written last at a pause, in the order of the results panel.
    LoadedSession s;
    QCOMPARE(s.view.log().first(), QStringLiteral("timer off"));
    QCOMPARE(s.view.log().at(1), QStringLiteral("pointer default"));

    s.view.clearLog();
    s.run("S");
    QCOMPARE(s.view.log().first(), QStringLiteral("timer on"));
    QCOMPARE(s.view.log().last(), QStringLiteral("pointer stopwatch"));

    s.run("L t*5 l t*5");
    s.view.clearLog();
    s.run("S");
    const QStringList log = s.view.log();
    QCOMPARE(log.first(), QStringLiteral("timer off"));
    QStringList expectedTail;
    const QStringList values{"50.0 %", "0.0 %", "0.0 %", "1.00 ", NA, "0.00 ", "0.00 "};
    for (int i = 0; i < ResultDisplays.size(); ++i)
        expectedTail << QStringLiteral("text %1 \"%2\"")
                            .arg(QLatin1String(controlName(ResultDisplays[i])), values[i]);
    QCOMPARE(log.mid(log.size() - 7), expectedTail);
    QCOMPARE(log.at(log.size() - 8), QStringLiteral("pointer default"));
}

void TestSessionEngine::displayText_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<SessionControl>("control");
    QTest::addColumn<QString>("expected");
    using C = SessionControl;

    QTest::newRow("first tick") << "S t" << C::Label1 << "0.2";
    QTest::newRow("five ticks") << "S t*5" << C::Label1 << "1";
    QTest::newRow("62 ticks") << "S t*62" << C::Label1 << "12.4";
    QTest::newRow("stopwatch before first tick") << "S" << C::Label1 << "time(s)";
    QTest::newRow("talking time untouched without buttons") << "S t*3" << C::Clock << "time(s)";
    QTest::newRow("left held three ticks") << "S L t*3" << C::Clock << "0.6";
    QTest::newRow("one cluttering tick, signed") << "S R t" << C::MarkedTime << " .2";
    QTest::newRow("right alone five ticks: cluttering") << "S R t*5" << C::MarkedTime << " 1";
    QTest::newRow("right alone five ticks: talking") << "S R t*5" << C::Clock << "1";
    QTest::newRow("right release: count") << "S R t*5 r" << C::RightNumber << " 1";
    QTest::newRow("right release: speaking count") << "S R t*5 r" << C::LeftNumber << "1";
    QTest::newRow("both held: talking counts once") << "S L R t*10" << C::Clock << "2";
    QTest::newRow("LeftNumber before start") << "" << C::LeftNumber << "#";
    QTest::newRow("LeftNumber from start") << "S" << C::LeftNumber << " 0";
    QTest::newRow("LeftNumber after first interval") << "S L t l" << C::LeftNumber << "1";
    QTest::newRow("RightNumber before start") << "" << C::RightNumber << "#";
    QTest::newRow("RightNumber from start") << "S" << C::RightNumber << " 0";
    QTest::newRow("RightNumber after first interval") << "S R t r" << C::RightNumber << " 1";
    QTest::newRow("count kept at resume") << "S L l S S" << C::LeftNumber << "1";
    QTest::newRow("count placeholder after RESET") << "S L l S X" << C::LeftNumber << "#";
    QTest::newRow("zero count after RESET and start") << "S L l S X S" << C::LeftNumber << " 0";
    QTest::newRow("cluttering placeholder after RESET")
        << "S R t r S X" << C::MarkedTime << "time(s)";
    QTest::newRow("results cleared at a resume") << "S t S S" << C::Label5 << "";
    QTest::newRow("result written at a pause") << "S t S" << C::Label5 << "0.0 %";
    QTest::newRow("mean cleared by RESET") << "S L t l S X" << C::AvgSpeechInterval << "";
}

void TestSessionEngine::displayText()
{
    QFETCH(QString, script);
    QFETCH(SessionControl, control);
    QFETCH(QString, expected);
    LoadedSession s(script);
    QCOMPARE(s.view.text(control), expected);
}

void TestSessionEngine::colours_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("markedTime");

    QTest::newRow("design") << "" << Teal << Red;
    QTest::newRow("left press") << "S L" << Grey << Red;
    QTest::newRow("left release") << "S L t l" << Teal << Red;
    QTest::newRow("right press") << "S R" << Teal << Grey;
    QTest::newRow("right alone, one tick") << "S R t" << Grey << Grey;
    QTest::newRow("right release") << "S R t r" << Teal << Red;
    QTest::newRow("right release with left held") << "S L R t r" << Teal << Red;
    QTest::newRow("left ticks after it stay teal") << "S L R t r t*3" << Teal << Red;
    QTest::newRow("right alone after left release") << "S L R t l t" << Grey << Grey;
    QTest::newRow("pause keeps colours") << "S L R t S" << Grey << Grey;
    QTest::newRow("press while paused") << "S t S L R" << Teal << Red;
    QTest::newRow("press before start") << "L R" << Teal << Red;
}

void TestSessionEngine::colours()
{
    QFETCH(QString, script);
    QFETCH(QString, clock);
    QFETCH(QString, markedTime);
    LoadedSession s(script);
    QCOMPARE(describe(s.view.foreColour(SessionControl::Clock)), clock);
    QCOMPARE(describe(s.view.foreColour(SessionControl::MarkedTime)), markedTime);
}

void TestSessionEngine::counting_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("fields");

    // The table of overlapping presses: a speaking interval ends when the last held button
    // comes up; a cluttering interval alone is a speaking interval too.
    QTest::newRow("left alone") << "S L t*3 l"
                                << "s=3 t=3 c=0 tn=1 cn=0 td=0 cd=0";
    QTest::newRow("right alone") << "S R t*3 r"
                                 << "s=3 t=3 c=3 tn=1 cn=1 td=- cd=0";
    QTest::newRow("L R r l") << "S L t R t r t l"
                             << "s=3 t=3 c=1 tn=1 cn=1 td=0 cd=0";
    QTest::newRow("L R l r") << "S L t R t l t r"
                             << "s=3 t=3 c=2 tn=1 cn=1 td=0 cd=0";
    QTest::newRow("R L l r") << "S R t L t l t r"
                             << "s=3 t=3 c=3 tn=1 cn=1 td=0 cd=0";
    QTest::newRow("R L r l") << "S R t L t r t l"
                             << "s=3 t=3 c=2 tn=1 cn=1 td=0 cd=0";
    QTest::newRow("L R r l, left counted at its release") << "S L t R t r"
                                                          << "s=2 t=2 c=1 tn=- cn=1 td=1 cd=0";
    QTest::newRow("both held ten ticks") << "S L R t*10"
                                         << "s=10 t=10 c=10 tn=- cn=0 td=1 cd=-1";
    QTest::newRow("tick with no button") << "S t"
                                         << "s=1 t=- c=0 tn=- cn=0 td=- cd=0";
    QTest::newRow("a press adds no time") << "S L R"
                                          << "s=- t=- c=0 tn=- cn=0 td=1 cd=-1";
    QTest::newRow("presses before start") << "L R" << Fresh;
    QTest::newRow("presses while paused") << "S t S L R"
                                          << "s=1 t=- c=0 tn=- cn=0 td=- cd=0";
    QTest::newRow("a pause keeps held flags") << "S L t S"
                                              << "s=1 t=1 c=0 tn=- cn=0 td=1 cd=0";
    QTest::newRow("held across a pause, released after") << "S L t S S t l"
                                                         << "s=2 t=2 c=0 tn=1 cn=0 td=0 cd=0";
    QTest::newRow("resume continues") << "S L t l S S R t r"
                                      << "s=2 t=2 c=1 tn=2 cn=1 td=0 cd=0";
    QTest::newRow("RESET zeroes") << "S L t l R t r S X"
                                  << "s=0 t=0 c=0 tn=0 cn=0 td=0 cd=0";
    QTest::newRow("RESET leaves unset flag unset") << "S t S X"
                                                   << "s=0 t=0 c=0 tn=0 cn=0 td=- cd=0";
    QTest::newRow("new sample after RESET") << "S L t*4 l S X S R t r"
                                            << "s=1 t=1 c=1 tn=1 cn=1 td=0 cd=0";
    QTest::newRow("middle button marks nothing") << "S M M t m"
                                                 << "s=1 t=- c=0 tn=- cn=0 td=- cd=0";
    QTest::newRow("other button codes") << "S D0 D3 D5 D6 D7 D8 t U0 U3 U5 U6 U7 U8"
                                        << "s=1 t=- c=0 tn=- cn=0 td=- cd=0";
    QTest::newRow("releases without presses") << "S l r t"
                                              << "s=1 t=- c=0 tn=- cn=0 td=- cd=0";
    QTest::newRow("a stale tick after a pause") << "S t S t"
                                                << "s=1 t=- c=0 tn=- cn=0 td=- cd=0";
    QTest::newRow("pressed twice, released once") << "S L L t l"
                                                  << "s=1 t=1 c=0 tn=1 cn=0 td=0 cd=0";
}

void TestSessionEngine::counting()
{
    QFETCH(QString, script);
    QFETCH(QString, fields);
    LoadedSession s(script);
    QCOMPARE(describe(s.engine.fields()), fields);
    const SessionFields &f = s.engine.fields();
    QVERIFY(f.talkTicks.value_or(0) <= f.sampleTicks.value_or(0));
    QVERIFY(f.clutterTicks <= f.talkTicks.value_or(0));
}

void TestSessionEngine::nothingChanges_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("event");

    QTest::newRow("left press before start") << ""
                                             << "L";
    QTest::newRow("right press before start") << ""
                                              << "R";
    QTest::newRow("left release before start") << ""
                                               << "l";
    QTest::newRow("right release before start") << ""
                                                << "r";
    QTest::newRow("tick before start") << ""
                                       << "t";
    QTest::newRow("left press while paused") << "S t S"
                                             << "L";
    QTest::newRow("right press while paused") << "S t S"
                                              << "R";
    QTest::newRow("left release, not held, paused") << "S t S"
                                                    << "l";
    QTest::newRow("right release, not held, paused") << "S t S"
                                                     << "r";
    QTest::newRow("tick while paused") << "S t S"
                                       << "t";
    QTest::newRow("left release, not held, running") << "S t"
                                                     << "l";
    QTest::newRow("right release, not held, running") << "S t"
                                                      << "r";
    QTest::newRow("second left release") << "S L t l S"
                                         << "l";
    QTest::newRow("other key") << "S"
                               << "K";
    QTest::newRow("SPACE auto-repeat while running") << "S"
                                                     << "A";
    QTest::newRow("SPACE auto-repeat while paused") << "S S"
                                                    << "A";
    QTest::newRow("middle up") << "S"
                               << "m";
    QTest::newRow("other codes down") << "S"
                                      << "D0 D3 D5 D6 D7 D8";
    QTest::newRow("other codes up") << "S L R"
                                    << "U0 U3 U4 U5 U6 U7 U8";
    QTest::newRow("left click on instructions") << ""
                                                << "i";
    QTest::newRow("middle on instructions while running") << "S"
                                                          << "I";
    QTest::newRow("RESET while running") << "S t"
                                         << "X";
}

void TestSessionEngine::nothingChanges()
{
    QFETCH(QString, setup);
    QFETCH(QString, event);
    LoadedSession s(setup);
    const SessionFields before = s.engine.fields();
    const SessionEngine::State state = s.engine.state();
    s.view.clearLog();
    s.run(event);
    QCOMPARE(s.view.log(), QStringList());
    QCOMPARE(describe(s.engine.fields()), describe(before));
    QCOMPARE(s.engine.state(), state);
}

void TestSessionEngine::releasesWhileNotRunning_data()
{
    // A button let go while paused drops its interval uncounted and restores its displays'
    // design colours, so a resume does not keep adding time for a button that is up.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("markedTime");

    QTest::newRow("left released during the pause")
        << "S L t S l"
        << "s=1 t=1 c=0 tn=- cn=0 td=0 cd=0" << Teal << Red;
    QTest::newRow("then a resume adds no talking time")
        << "S L t S l S t*3"
        << "s=4 t=1 c=0 tn=- cn=0 td=0 cd=0" << Teal << Red;
    QTest::newRow("right released during the pause")
        << "S R t S r"
        << "s=1 t=1 c=1 tn=- cn=0 td=- cd=0" << Teal << Red;
    QTest::newRow("then a resume adds no cluttering time")
        << "S R t S r S t*3"
        << "s=4 t=1 c=1 tn=- cn=0 td=- cd=0" << Teal << Red;
    QTest::newRow("both released during the pause")
        << "S L R t S r l"
        << "s=1 t=1 c=1 tn=- cn=0 td=0 cd=0" << Teal << Red;
    QTest::newRow("left up, right still held")
        << "S L R t S l"
        << "s=1 t=1 c=1 tn=- cn=0 td=0 cd=-1" << Teal << Grey;
    QTest::newRow("RESET clears both held flags")
        << "S L R t S X"
        << "s=0 t=0 c=0 tn=0 cn=0 td=0 cd=0" << Teal << Red;
    QTest::newRow("RESET clears the right flag alone")
        << "S R t S X"
        << "s=0 t=0 c=0 tn=0 cn=0 td=- cd=0" << Teal << Red;
    QTest::newRow("a new sample starts clean after RESET")
        << "S L R t S X S t*2"
        << "s=2 t=0 c=0 tn=0 cn=0 td=0 cd=0" << Teal << Red;
}

void TestSessionEngine::releasesWhileNotRunning()
{
    QFETCH(QString, script);
    QFETCH(QString, fields);
    QFETCH(QString, clock);
    QFETCH(QString, markedTime);
    LoadedSession s(script);
    QCOMPARE(describe(s.engine.fields()), fields);
    QCOMPARE(describe(s.view.foreColour(SessionControl::Clock)), clock);
    QCOMPARE(describe(s.view.foreColour(SessionControl::MarkedTime)), markedTime);
}

void TestSessionEngine::results_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");

    // 50 ticks; left held 30 ticks in three intervals; right held 10 ticks in two intervals,
    // each inside a left interval.
    QTest::newRow("worked example")
        << "S L t*5 R t*5 r t*5 l t*5 L t*5 R t*5 r l t*5 L t*5 l t*10 S"
        << QStringList{"60.0 %", "20.0 %", "33.3 %", "2.00 ", "1.00 ", "12.00 ", "20.00 "};
    QTest::newRow("pause before any tick") << "S S" << QStringList{NA, NA, NA, NA, NA, NA, NA};
    QTest::newRow("pause before any tick, middle button")
        << "M M" << QStringList{NA, NA, NA, NA, NA, NA, NA};
    QTest::newRow("no button used")
        << "S t*10 S" << QStringList{"0.0 %", "0.0 %", NA, NA, NA, "0.00 ", NA};
    QTest::newRow("speech without cluttering")
        << "S L t*5 l t*5 S"
        << QStringList{"50.0 %", "0.0 %", "0.0 %", "1.00 ", NA, "0.00 ", "0.00 "};
    QTest::newRow("only the right button")
        << "S R t*5 r t*5 R t*5 r t*5 S"
        << QStringList{"50.0 %", "50.0 %", "100.0 %", "1.00 ", "1.00 ", "30.00 ", "60.00 "};
    QTest::newRow("interval held across the pause")
        << "S L t*5 l L t*5 S"
        << QStringList{"100.0 %", "0.0 %", "0.0 %", "2.00 ", NA, "0.00 ", "0.00 "};
    QTest::newRow("started from the instructions text")
        << "I t*10 S" << QStringList{"0.0 %", "0.0 %", NA, NA, NA, "0.00 ", NA};
}

void TestSessionEngine::results()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    LoadedSession s(script);
    QCOMPARE(s.engine.state(), SessionEngine::State::Paused);
    QCOMPARE(texts(s.view, ResultDisplays), expected);
}

void TestSessionEngine::resumeEquivalence_data()
{
    QTest::addColumn<QString>("interrupted");
    QTest::addColumn<QString>("uninterrupted");

    QTest::newRow("pauses between intervals") << "S L t*5 l S S t*5 R t*5 r S S t*5 S"
                                              << "S L t*5 l t*5 R t*5 r t*5 S";
    QTest::newRow("many pauses, both buttons") << "S L t*3 R t*2 r S S t l S S t*4 S M R t r M"
                                               << "S L t*3 R t*2 r t l t*4 R t r S";
    QTest::newRow("middle button and SPACE mixed") << "M t*7 S I L t*2 l M"
                                                   << "S t*7 L t*2 l S";
}

void TestSessionEngine::resumeEquivalence()
{
    QFETCH(QString, interrupted);
    QFETCH(QString, uninterrupted);
    LoadedSession a(interrupted);
    LoadedSession b(uninterrupted);
    QCOMPARE(describe(a.engine.fields()), describe(b.engine.fields()));
    QCOMPARE(texts(a.view, ResultDisplays), texts(b.view, ResultDisplays));
    QCOMPARE(texts(a.view, ValueDisplays), texts(b.view, ValueDisplays));
}

void TestSessionEngine::clutterTimeLimit_data()
{
    QTest::addColumn<bool>("leftHeld");
    QTest::newRow("right alone") << false;
    QTest::newRow("left held too") << true;
}

void TestSessionEngine::clutterTimeLimit()
{
    QFETCH(bool, leftHeld);
    LoadedSession s(leftHeld ? "S L R" : "S R");
    s.run("t*32767");
    QVERIFY(s.engine.isRunning());
    QCOMPARE(s.engine.fields().clutterTicks, qint16(32767));
    QCOMPARE(s.view.text(SessionControl::MarkedTime), QStringLiteral(" 6553.4"));

    // The tick that would pass the limit is not counted anywhere; the session pauses itself
    // with its results on show and says why. The box takes the releases of the buttons held, so
    // they are let go with it, as a release while paused lets them go.
    s.run("t");
    QVERIFY(!s.engine.isRunning());
    QCOMPARE(s.engine.state(), SessionEngine::State::Paused);
    QCOMPARE(describe(s.engine.fields()),
             leftHeld ? QStringLiteral("s=32767 t=32767 c=32767 tn=- cn=0 td=0 cd=0")
                      : QStringLiteral("s=32767 t=32767 c=32767 tn=- cn=0 td=- cd=0"));
    QCOMPARE(describe(s.view.foreColour(SessionControl::MarkedTime)), Red);
    QCOMPARE(describe(s.view.foreColour(SessionControl::Clock)), Teal);
    QCOMPARE(s.view.text(SessionControl::Label1), QStringLiteral("6553.4"));
    QCOMPARE(s.view.text(SessionControl::Label6), QStringLiteral("100.0 %"));
    QVERIFY(s.view.isVisible(SessionControl::Command2));
    QCOMPARE(s.view.messages().size(), 1);
    QVERIFY(s.view.messages().first().contains("cluttering time"));
    QVERIFY(s.view.messages().first().contains("RESET"));
    // The message comes after the pause has been shown.
    QVERIFY(s.view.log().last().startsWith("message"));

    // No phantom hold carries into the next run: the releases the box took change nothing, and
    // the resumed session counts only the stopwatch until a button is pressed again.
    s.run("l r S t*5 L t l S");
    QCOMPARE(describe(s.engine.fields()),
             QStringLiteral("s=32773 t=32768 c=32767 tn=1 cn=0 td=0 cd=0"));
    QCOMPARE(s.view.messages().size(), 1);
}

void TestSessionEngine::clutterCountLimit_data()
{
    QTest::addColumn<bool>("leftHeld");
    QTest::newRow("right alone") << false;
    QTest::newRow("left held too") << true;
}

void TestSessionEngine::clutterCountLimit()
{
    QFETCH(bool, leftHeld);
    LoadedSession s("S");
    for (int i = 0; i < 32767; ++i)
        s.run("R r");
    QVERIFY(s.engine.isRunning());
    QCOMPARE(describe(s.engine.fields()),
             QStringLiteral("s=- t=- c=0 tn=32767 cn=32767 td=- cd=0"));
    QCOMPARE(s.view.text(SessionControl::RightNumber), QStringLiteral(" 32767"));
    QVERIFY(s.view.messages().isEmpty());

    // The interval that would be the 32768th pauses the session first; its release then acts
    // as a release while paused: the flag clears, the colours return, nothing is counted. A left
    // button held too is let go with it, as the box that follows takes its release.
    s.run(leftHeld ? "L R t r" : "R t r");
    QVERIFY(!s.engine.isRunning());
    QCOMPARE(s.engine.state(), SessionEngine::State::Paused);
    QCOMPARE(describe(s.engine.fields()),
             leftHeld ? QStringLiteral("s=1 t=1 c=1 tn=32767 cn=32767 td=0 cd=0")
                      : QStringLiteral("s=1 t=1 c=1 tn=32767 cn=32767 td=- cd=0"));
    QCOMPARE(s.view.text(SessionControl::RightNumber), QStringLiteral(" 32767"));
    QCOMPARE(describe(s.view.foreColour(SessionControl::MarkedTime)), Red);
    QCOMPARE(describe(s.view.foreColour(SessionControl::Clock)), Teal);
    QCOMPARE(s.view.text(SessionControl::Label19), QStringLiteral("9830100.00 "));
    QCOMPARE(s.view.messages().size(), 1);
    QVERIFY(s.view.messages().first().contains("cluttering intervals"));
    QVERIFY(s.view.log().last().startsWith("message"));
}

QTEST_APPLESS_MAIN(TestSessionEngine)
#include "test_session_engine.moc"
