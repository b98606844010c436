// The Timeline window over the main window's session, both offscreen, driven with real events and
// opened through the program's navigator: the bars lie where the sample's time puts them, a row
// selects its bar and a bar its row, and SPACE starts and pauses the session with either window
// in front. With a recording the test makes (sox), the recording leads the session: marks land at
// its time, the session pauses at its end, an interval can be heard again, and a file that cannot
// be played, or stops being readable, is told and changes nothing counted. The recordings play
// through a PulseAudio server of the test's own, to a null sink whose monitor the test records,
// so it hears that the sound came out, and at which time of the stopwatch. Two sessions of one
// sample, exported here, are reopened, compared and printed through a CUPS scheduler of the
// test's own.
#include "Form1Harness.h"
#include "core/events/MouseButtons.h"
#include "core/reports/AgreementReport.h"
#include "core/reports/ReportLayout.h"
#include "core/reports/TimelineReader.h"
#include "startup/WindowNavigator.h"
#include "windows/main/Form1Surface.h"
#include "windows/timeline/TimelineLanes.h"
#include "windows/timeline/TimelineWindow.h"

#include "CupsSandbox.h"
#include "ModalDriver.h"
#include "ReportReadBack.h"
#include "media/RecordingPlayer.h"
#include "widgets/kit/DesignButton.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

// The lanes as designed, in pixels: the labels' column, the right margin, the lanes' tops and
// height; the session's teal and red.
constexpr int lanesLeft = 80;
constexpr int rightMargin = 8;
constexpr int speechMiddle = 8 + 14;
constexpr int clutterMiddle = 8 + 28 + 4 + 14;
const QColor teal(0, 128, 128);
const QColor red(192, 0, 0);
const QColor white(255, 255, 255);
constexpr int generous = 20000; // ms

// A recording the test makes: `seconds` of it, a tone from `toneFrom` to `toneTo` s padded with
// silence, 16-bit mono at 16 kHz.
QString makeRecording(const QTemporaryDir &dir, double seconds, double toneFrom, double toneTo)
{
    const QString path = dir.filePath(QStringLiteral("sample.wav"));
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              QStringList{"-n", "-r", "16000", "-b", "16", "-c", "1", path, "synth",
                          QString::number(toneTo - toneFrom), "sine", "440", "vol", "0.5", "pad",
                          QString::number(toneFrom), QString::number(seconds - toneTo)});
    if (!sox.waitForFinished(generous) || sox.exitCode() != 0)
        return {};
    return path;
}

// A PulseAudio server of its own, with a null sink "tallymere" as its default, which the program's
// sound goes to (PULSE_SERVER) and whose monitor can be recorded.
class PrivatePulse {
public:
    ~PrivatePulse()
    {
        m_server.kill();
        m_server.waitForFinished(generous);
    }
    // Empty once the server answers, else why not.
    QString start()
    {
        const QString socket = m_dir.filePath(QStringLiteral("native"));
        QFile config(m_dir.filePath(QStringLiteral("pulse.pa")));
        if (!config.open(QIODevice::WriteOnly) ||
            config.write("load-module module-null-sink sink_name=tallymere\n"
                         "load-module module-native-protocol-unix auth-anonymous=1 socket=" +
                         socket.toUtf8() + "\nset-default-sink tallymere\n") < 0)
            return QStringLiteral("the server's configuration could not be written");
        config.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        m_server.setProcessEnvironment(environment);
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(QStringLiteral("pulseaudio"),
                       {"-n", "-F", config.fileName(), "--daemonize=no", "--exit-idle-time=-1",
                        "--use-pid-file=no", "--log-level=error"});
        if (!m_server.waitForStarted(generous))
            return QStringLiteral("pulseaudio did not start: ") + m_server.errorString();
        qputenv("PULSE_SERVER", "unix:" + socket.toUtf8());
        const bool answers = QTest::qWaitFor(
            [] {
                QProcess info;
                info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
                return info.waitForFinished(5000) && info.exitCode() == 0;
            },
            generous);
        return answers ? QString() : QStringLiteral("pulseaudio did not answer pactl info");
    }

private:
    QTemporaryDir m_dir;
    QProcess m_server;
};

} // namespace

class TestTimelineWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void barsLieAtTheSampleTime_data();
    void barsLieAtTheSampleTime();
    void aRowSelectsItsBarAndABarItsRow();
    void spaceStartsAndPausesFromEitherWindow_data();
    void spaceStartsAndPausesFromEitherWindow();
    void theRecordingLeadsTheSession();
    void aRecordingThatCannotBePlayedChangesNothing_data();
    void aRecordingThatCannotBePlayedChangesNothing();
    void aRecordingCutShortPausesTheSessionThere();
    void theRecordingIsHeardAtItsTime();
    void twoSessionsExportedAreComparedAndPrinted();

private:
    // 30 ticks: speech held from tick 5 to 15, cluttering alone from 20 to 25, then paused.
    void markASample();
    void press(Qt::MouseButton button, bool down);
    // Opens `path` as the session's recording, and says whether it opened.
    bool openRecording(const QString &path);
    // Waits until the recording has played to `milliseconds`.
    bool playedTo(qint64 milliseconds);
    TimelineWindow *timeline() const
    {
        return qobject_cast<TimelineWindow *>(m_navigator->timelineWindow());
    }

    Form1Harness m_main;
    std::unique_ptr<WindowNavigator> m_navigator;
    PrivatePulse m_pulse;
    QString m_pulseFailed;
};

void TestTimelineWindow::initTestCase()
{
    Form1Harness::setUpApplication();
    // Before the first player: the sound goes to the test's server.
    m_pulseFailed = m_pulse.start();
}

void TestTimelineWindow::init()
{
    m_main.open();
    m_navigator = std::make_unique<WindowNavigator>();
    m_navigator->connectMain(m_main.window.get());
}

void TestTimelineWindow::cleanup()
{
    m_main.window.reset();
    QVERIFY(m_navigator->timelineWindow() == nullptr); // it went with the main window
    m_navigator.reset();
}

void TestTimelineWindow::press(Qt::MouseButton button, bool down)
{
    const QPoint background(200, 500);
    if (down)
        QTest::mousePress(&m_main.window->surface(), button, {}, background);
    else
        QTest::mouseRelease(&m_main.window->surface(), button, {}, background);
}

void TestTimelineWindow::markASample()
{
    m_main.strikeSpace();
    m_main.tick(5);
    press(Qt::LeftButton, true);
    m_main.tick(10);
    press(Qt::LeftButton, false);
    m_main.tick(5);
    press(Qt::RightButton, true);
    m_main.tick(5);
    press(Qt::RightButton, false);
    m_main.tick(5);
    m_main.strikeSpace();
    QCOMPARE(m_main.window->engine().fields().sampleTicks.value_or(0), 30);
}

void TestTimelineWindow::barsLieAtTheSampleTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("lane");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("speech, held") << 2.0 << speechMiddle << teal;
    QTest::newRow("speech, before the hold") << 0.5 << speechMiddle << white;
    QTest::newRow("speech, between the holds") << 3.5 << speechMiddle << white;
    QTest::newRow("speech, cluttering alone") << 4.5 << speechMiddle << teal;
    QTest::newRow("cluttering, alone") << 4.5 << clutterMiddle << red;
    QTest::newRow("cluttering, during speech alone") << 2.0 << clutterMiddle << white;
}

void TestTimelineWindow::barsLieAtTheSampleTime()
{
    QFETCH(double, seconds);
    QFETCH(int, lane);
    QFETCH(QColor, colour);
    markASample();
    m_navigator->openTimeline();
    QVERIFY(timeline());
    QVERIFY(QTest::qWaitForWindowExposed(timeline()));
    TimelineLanes &lanes = timeline()->lanes();
    QTRY_VERIFY(lanes.width() > lanesLeft + rightMargin);
    const QImage drawn = lanes.grab().toImage();
    const double x = lanesLeft + seconds / 6.0 * (lanes.width() - lanesLeft - rightMargin);
    const QPoint at(qRound(x * drawn.devicePixelRatio()), qRound(lane * drawn.devicePixelRatio()));
    QCOMPARE(drawn.pixelColor(at), colour);
}

void TestTimelineWindow::aRowSelectsItsBarAndABarItsRow()
{
    markASample();
    m_navigator->openTimeline();
    QVERIFY(QTest::qWaitForWindowExposed(timeline()));
    auto *table = timeline()->findChild<QTableWidget *>(QStringLiteral("TimelineTable"));
    // By start: speech 1, then speech 2 and cluttering 1 at 4 s.
    QTRY_COMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("cluttering"));
    QCOMPARE(table->item(2, 2)->text(), QStringLiteral("4"));
    QCOMPARE(table->item(2, 3)->text(), QStringLiteral("5"));
    table->selectRow(2);
    TimelineLanes &lanes = timeline()->lanes();
    QCOMPARE(lanes.selected(), 2);
    // A press on the first speech bar, at 2 s, selects its row.
    const double x = lanesLeft + 2.0 / 6.0 * (lanes.width() - lanesLeft - rightMargin);
    QTest::mouseClick(&lanes, Qt::LeftButton, {}, QPoint(qRound(x), speechMiddle));
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(lanes.selected(), 0);
}

void TestTimelineWindow::spaceStartsAndPausesFromEitherWindow_data()
{
    QTest::addColumn<bool>("timelineInFront");
    QTest::newRow("the main window in front") << false;
    QTest::newRow("the Timeline window in front") << true;
}

void TestTimelineWindow::spaceStartsAndPausesFromEitherWindow()
{
    QFETCH(bool, timelineInFront);
    m_navigator->openTimeline();
    QWidget *front = timelineInFront ? static_cast<QWidget *>(timeline()) : m_main.window.get();
    front->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(front));
    QVERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == front);
    const SessionEngine &engine = m_main.window->engine();
    m_main.strikeSpace();
    QCOMPARE(engine.state(), SessionEngine::State::Running);
    m_main.tick(3);
    m_main.strikeSpace();
    QCOMPARE(engine.state(), SessionEngine::State::Paused);
    QCOMPARE(engine.fields().sampleTicks.value_or(0), 3);
    // Its other keys and buttons mark nothing.
    if (timelineInFront) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::mouseClick(&timeline()->lanes(), Qt::RightButton);
        QCOMPARE(engine.state(), SessionEngine::State::Paused);
        QCOMPARE(engine.fields().talkCount.value_or(0), 0);
    }
}

bool TestTimelineWindow::openRecording(const QString &path)
{
    RecordingPlayer &recording = m_main.window->recording();
    QSignalSpy opened(&recording, &RecordingPlayer::opened);
    QSignalSpy refused(&recording, &RecordingPlayer::refused);
    recording.open(path);
    return QTest::qWaitFor([&] { return !opened.isEmpty() || !refused.isEmpty(); }, generous) &&
           !opened.isEmpty();
}

bool TestTimelineWindow::playedTo(qint64 milliseconds)
{
    return QTest::qWaitFor(
        [&] { return m_main.window->recording().positionMilliseconds() >= milliseconds; },
        generous);
}

// 4 s: silence, a tone from 1.0 to 2.6 s, silence. Speech is held over the tone.
void TestTimelineWindow::theRecordingLeadsTheSession()
{
    QTemporaryDir dir;
    const QString path = makeRecording(dir, 4.0, 1.0, 2.6);
    QVERIFY2(!path.isEmpty(), "sox made no recording");
    QVERIFY(openRecording(path));
    m_main.window->findChild<QAction *>(QStringLiteral("MnuTimeline"))->trigger();
    QVERIFY(timeline());
    m_main.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.window.get()));

    m_main.strikeSpace();
    QVERIFY(playedTo(1000));
    press(Qt::LeftButton, true);
    QVERIFY(playedTo(2600));
    press(Qt::LeftButton, false);
    const SessionEngine &engine = m_main.window->engine();
    // At the end the session pauses by itself, the recording's length on the stopwatch.
    QVERIFY(
        QTest::qWaitFor([&] { return engine.state() == SessionEngine::State::Paused; }, generous));
    QVERIFY(qAbs(engine.fields().sampleTicks.value_or(0) - 20) <= 1);
    const auto &intervals = engine.timeline().intervals();
    QCOMPARE(intervals.size(), std::size_t(1));
    // The speech interval lies on the tone within a tick (and the press's reading of it).
    QVERIFY2(qAbs(intervals[0].start - 5) <= 1, qPrintable(QString::number(intervals[0].start)));
    QVERIFY2(qAbs(intervals[0].end - 13) <= 1, qPrintable(QString::number(intervals[0].end)));

    // The waveform is drawn: dark over the tone, blank over the silence before it.
    TimelineLanes &lanes = timeline()->lanes();
    QVERIFY(QTest::qWaitFor(
        [&] {
            const QImage shown = lanes.grab().toImage();
            const QRect sound = lanes.soundLane();
            const int y = sound.center().y() - sound.height() / 8;
            return shown.pixelColor(int(lanes.xOf(9)), y) != white &&
                   shown.pixelColor(int(lanes.xOf(2)), y) == white;
        },
        generous));

    // The interval heard again stops at its end and changes nothing of the session.
    const SessionFields before = engine.fields();
    QTest::mouseDClick(
        &lanes, Qt::LeftButton, {},
        QPoint(int(lanes.xOf(9)), lanes.lane(Timeline::Channel::Speech).center().y()));
    RecordingPlayer &recording = m_main.window->recording();
    QVERIFY(recording.listening());
    QVERIFY(QTest::qWaitFor([&] { return !recording.listening(); }, generous));
    QVERIFY(qAbs(recording.positionMilliseconds() - 2600) <= 200);
    QCOMPARE(engine.fields().sampleTicks, before.sampleTicks);
    QCOMPARE(engine.fields().talkTicks, before.talkTicks);
    // Enter on its row plays it again, and Escape stops it.
    auto *table = timeline()->findChild<QTableWidget *>(QStringLiteral("TimelineTable"));
    timeline()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(timeline()));
    table->setFocus();
    table->setCurrentCell(0, 0);
    QTest::keyClick(table, Qt::Key_Return);
    QVERIFY(recording.listening());
    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!recording.listening());

    // After the end, SPACE only says so; RESET takes the recording back to its start.
    m_main.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.window.get()));
    m_main.strikeSpace();
    QCOMPARE(engine.state(), SessionEngine::State::Paused);
    QVERIFY2(ModalDriver::noteText().contains(QStringLiteral("has ended")),
             qPrintable(ModalDriver::noteText()));
    QTest::mouseClick(m_main.control("Command2"), Qt::LeftButton);
    QCOMPARE(engine.state(), SessionEngine::State::Ready);
    QVERIFY(QTest::qWaitFor([&] { return recording.positionMilliseconds() == 0; }, generous));
}

void TestTimelineWindow::aRecordingThatCannotBePlayedChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("backend");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not media") << QByteArray("a line of text, not a sound\n") << QByteArray()
                               << QStringLiteral("type");
    QTest::newRow("missing") << QByteArray() << QByteArray()
                             << QStringLiteral("there is no such file");
    // Qt would end the program on a backend it cannot load.
    QTest::newRow("no such media backend")
        << QByteArray("RIFF") << QByteArray("nonesuch")
        << QStringLiteral("\"nonesuch\", which is not installed");
}

void TestTimelineWindow::aRecordingThatCannotBePlayedChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, backend);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString good = makeRecording(dir, 1.0, 0.2, 0.8);
    QVERIFY(openRecording(good));
    const QString bad = dir.filePath(QStringLiteral("interview.wav"));
    if (!content.isEmpty()) {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    if (!backend.isEmpty())
        qputenv("QT_MEDIA_BACKEND", backend);
    const bool opened = openRecording(bad);
    qunsetenv("QT_MEDIA_BACKEND");
    QVERIFY(!opened);
    const QString told = ModalDriver::noteText();
    QVERIFY2(told.contains(reason), qPrintable(told));
    QVERIFY2(!backend.isEmpty() || told.contains(QStringLiteral("interview.wav")),
             qPrintable(told));
    QCOMPARE(m_main.window->recording().path(), good);
}

// A file cut short under the playing recording (its disk gone, say): the session pauses where
// the sound stopped, and what was counted stays.
void TestTimelineWindow::aRecordingCutShortPausesTheSessionThere()
{
    QTemporaryDir dir;
    const QString path = makeRecording(dir, 6.0, 0.0, 6.0);
    QVERIFY(openRecording(path));
    m_main.strikeSpace();
    QVERIFY(playedTo(200));
    press(Qt::LeftButton, true);
    // 16-bit mono at 16 kHz after a 44-byte header: 1.5 s is left.
    QVERIFY(QFile::resize(path, 44 + 32000 * 3 / 2));
    const SessionEngine &engine = m_main.window->engine();
    QVERIFY(
        QTest::qWaitFor([&] { return engine.state() == SessionEngine::State::Paused; }, generous));
    press(Qt::LeftButton, false);
    const qint32 sample = engine.fields().sampleTicks.value_or(0);
    QVERIFY2(sample < 25, qPrintable(QString::number(sample)));
    QCOMPARE(engine.fields().talkCount.value_or(0), 1);
    QVERIFY2(ModalDriver::noteText().contains(QStringLiteral("nothing counted is lost")),
             qPrintable(ModalDriver::noteText()));
}

// The tone from 1.0 s comes out of the sound server as the stopwatch passes 1.0 s, give or take
// the server's and its monitor's buffers.
void TestTimelineWindow::theRecordingIsHeardAtItsTime()
{
    QVERIFY2(m_pulseFailed.isEmpty(), qPrintable(m_pulseFailed));
    QTemporaryDir dir;
    QVERIFY(openRecording(makeRecording(dir, 3.0, 1.0, 2.6)));
    QProcess monitor;
    monitor.start(QStringLiteral("parec"), {"--device=tallymere.monitor", "--rate=8000",
                                            "--channels=1", "--format=s16le", "--latency-msec=20"});
    QVERIFY(QTest::qWaitFor([&] { return monitor.bytesAvailable() > 0; }, generous));
    monitor.readAll();
    m_main.strikeSpace();
    qint32 heardAt = -1;
    QByteArray heard;
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     heard += monitor.readAll();
                     const auto *samples = reinterpret_cast<const qint16 *>(heard.constData());
                     for (qsizetype i = 0; i < heard.size() / 2; ++i)
                         if (qAbs(samples[i]) > 8000) {
                             heardAt = m_main.window->engine().fields().sampleTicks.value_or(0);
                             return true;
                         }
                     heard.clear();
                     return false;
                 },
                 generous),
             "no sound came out of the server");
    monitor.kill();
    monitor.waitForFinished(generous);
    QVERIFY2(heardAt >= 4 && heardAt <= 8, qPrintable(QString::number(heardAt)));
}

QTEST_MAIN(TestTimelineWindow)
#include "test_timeline_window.moc"

// Judge A marks the sample as markASample does; judge B, after RESET, hears its cluttering
// inside the speech, from tick 10 to 15. Each session's timeline is exported from this window,
// both files are reopened and compared here, and the printed report is the core's comparison of
// the two files, with the figures worked out by hand.
void TestTimelineWindow::twoSessionsExportedAreComparedAndPrinted()
{
    CupsSandbox cups;
    QString error;
    QVERIFY2(cups.startWithDefaultQueue(QStringLiteral("tallymere_test"), &error),
             qPrintable(error));
    ModalDriver user;
    QTemporaryDir folder;
    const QString a = folder.filePath(QStringLiteral("judge A.csv"));
    const QString b = folder.filePath(QStringLiteral("judge B.TextGrid"));
    const auto command = [](QWidget *window, const char *name) {
        return window->findChild<QAction *>(QLatin1String(name));
    };
    markASample();
    m_navigator->openTimeline();
    QVERIFY(QTest::qWaitForWindowExposed(timeline()));
    QCOMPARE(user.saveThrough(command(timeline(), "MnuFilExportTimeline"), a),
             "The session's timeline was exported to: " + a);
    QTest::mouseClick(m_main.control("Command2"), Qt::LeftButton);
    m_main.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.window.get()));
    m_main.strikeSpace();
    m_main.tick(5);
    press(Qt::LeftButton, true);
    m_main.tick(5);
    press(Qt::RightButton, true);
    m_main.tick(5);
    press(Qt::RightButton, false);
    press(Qt::LeftButton, false);
    m_main.tick(15);
    m_main.strikeSpace();
    QCOMPARE(user.saveThrough(command(timeline(), "MnuFilExportTimeline"), b),
             "The session's timeline was exported to: " + b);

    user.saveNextFileAs(a);
    command(timeline(), "MnuFilOpenTimeline")->trigger();
    auto *comparison = timeline()->findChild<QMainWindow *>(QStringLiteral("frmComparison"));
    QVERIFY(comparison);
    user.saveNextFileAs(b);
    command(comparison, "MnuFilCompare")->trigger();
    QVERIFY(command(comparison, "MnuFilPrint")->isEnabled());
    const int before = int(cups.jobFiles().size());
    command(comparison, "MnuFilPrint")->trigger();
    const QString job = cups.waitForJobFiles(before + 1, 30000);
    QVERIFY2(!job.isEmpty(), qPrintable(cups.log()));
    const QStringList page =
        readback::rows(CupsSandbox::pdfText(job), QStringLiteral("AGREEMENT between"), 1);

    QString why;
    const std::optional<JudgedTimeline> readA = timelinereader::read(a, &why);
    const std::optional<JudgedTimeline> readB = timelinereader::read(b, &why);
    QVERIFY2(readA && readB, qPrintable(why));
    const QStringList core = readback::withoutBlankRows(reportlayout::asText(
        AgreementReport::build(Agreement(*readA, *readB, 5 * Agreement::TicksPerSecond))));
    QCOMPARE(page.join('\n'), core.join('\n'));
    // A speaks 15 ticks in two intervals, B 10 of them; each clutters 5 ticks, apart, in the
    // first 5 s window of the 6 s sample. Cluttering ticks: po 20/30, pe 26/36, kappa -1/5.
    for (const QString &expected : {
             readback::row({{1, "Total-time agreement (%) :"}, {42, "66.7"}, {58, "100.0"}}),
             readback::row(
                 {{1, "Windows, both/only A/only B/neither :"}, {42, "1/0/0/1"}, {58, "1/0/0/1"}}),
             readback::row({{1, "Cohen's kappa by tick (0.2 s) :"}, {42, "0.667"}, {58, "-0.200"}}),
             readback::row({{1, "   po / pe :"}, {42, "0.833 / 0.500"}, {58, "0.667 / 0.722"}}),
         })
        QVERIFY2(page.contains(expected), qPrintable(expected + "\n" + page.join('\n')));

    // Kept twice in one table: the two samples agree window by window, and their percentages of
    // talking time cluttered, A 33.3 and B 50.0 in both, vary between the judges only, so the
    // ICC is 0.
    const QString table = folder.filePath(QStringLiteral("comparisons.csv"));
    for (int kept = 0; kept < 2; ++kept)
        QVERIFY(!user.saveThrough(command(comparison, "MnuFilExport"), table).isEmpty());
    const auto *report =
        comparison->findChild<QPlainTextEdit *>(QStringLiteral("ComparisonReport"));
    const auto shows = [&](const QString &row) {
        return report->toPlainText().split('\n').contains(row);
    };
    QVERIFY2(QTest::qWaitFor([&] { return shows("Over the 2 comparisons in comparisons.csv :"); },
                             generous),
             qPrintable(report->toPlainText()));
    QVERIFY(shows(readback::row(
        {{1, "Mean window-by-window agreement (%) :"}, {42, "100.0"}, {58, "100.0"}})));
    QVERIFY(shows("ICC(2,1) of % of the talking time cluttered : 0.000 over 2 samples"));
}
