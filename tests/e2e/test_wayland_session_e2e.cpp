// The program as a native Wayland client: Weston with its kiosk shell (drawn in a private Xvfb),
// a private CUPS scheduler, and the built program with QT_QPA_PLATFORM=wayland. xdotool presses
// keys and buttons in Weston's window, and Weston makes the Wayland input from them with its own
// timestamps, while Qt makes a held key's repeats itself. Every case prints its report and reads
// the times back.
#include "CupsSandbox.h"
#include "ReportReadBack.h"
#include "WestonDesktop.h"

#include "core/ratings/ScaleTable.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

// Weston's kiosk shell puts the window at the top left of its output, without a frame; the
// client area starts under the menu bar.
constexpr int menuBar = 19;

// An interval of the wall clock in seconds: a moment within it.
struct Span {
    double least = 0;
    double most = 0;
};

struct Printed {
    QStringList rows;
    double sample = -1;
    double talk = -1;
    int talkCount = -1;
    double clutter = -1;
    int clutterCount = -1;
};

// A printed time lies within a tick (0.2 s) of the interval in which the action happened.
bool withinATick(double printed, Span span)
{
    return printed > span.least - 0.21 && printed < span.most + 0.21;
}

} // namespace

class TestWaylandSessionE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void heldSpaceStartsOnce();
    void marksCountAsHeld_data();
    void marksCountAsHeld();
    void resetByThePointerStartsANewSample();
    void ratingScalePress();

private:
    QString xdo(const QStringList &arguments) { return m_desktop.xdo(arguments); }
    // Runs one xdotool command; the seconds on m_clock just before and just after it.
    Span timed(const QStringList &arguments);
    // The time between two actions, at least and at most.
    static Span between(Span from, Span to) { return {to.least - from.most, to.most - from.least}; }
    void pointAtClient(int x, int y) { m_desktop.pointAt(x, menuBar + y); }
    void screenshot(const QString &name);
    QStringList print(const QString &anchor);
    Printed printSession();

    std::unique_ptr<CupsSandbox> m_cups;
    WestonDesktop m_desktop;
    QProcess m_app;
    QElapsedTimer m_clock;
    int m_jobs = 0;
};

void TestWaylandSessionE2E::initTestCase()
{
    const QStringList missing = WestonDesktop::missingParts();
    if (!missing.isEmpty())
        QSKIP(qPrintable(QStringLiteral("Wayland is not installed here: no ") +
                         missing.join(QStringLiteral(", no "))));
    for (const char *tool : {"Xvfb", "xdotool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    m_cups = std::make_unique<CupsSandbox>();
    QString error;
    QVERIFY2(m_cups->startWithDefaultQueue(QStringLiteral("tallymere_wayland"), &error),
             qPrintable(error));
    const QString failed = m_desktop.start(QProcessEnvironment::systemEnvironment(), 190);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_app.setProcessEnvironment(m_desktop.environment());
    m_app.setProcessChannelMode(QProcess::ForwardedChannels);
    m_clock.start();
}

// A fresh program for each case: a fresh session. Nothing tells from outside when a Wayland
// client has drawn its window, so it is given a moment.
void TestWaylandSessionE2E::init()
{
    if (m_app.state() != QProcess::NotRunning) {
        m_app.terminate();
        QVERIFY(m_app.waitForFinished(5000));
    }
    m_app.start(QStringLiteral(TALLYMERE_BINARY), {});
    QVERIFY(m_app.waitForStarted());
    QThread::msleep(2000);
    QVERIFY2(m_app.state() == QProcess::Running, qPrintable(m_desktop.log()));
    // A point of the window's background, below the counter/timer box.
    pointAtClient(200, 500);
}

void TestWaylandSessionE2E::cleanupTestCase()
{
    if (m_app.state() != QProcess::NotRunning) {
        m_app.terminate();
        if (!m_app.waitForFinished(5000))
            m_app.kill();
    }
    m_desktop.stop();
    m_cups.reset();
}

Span TestWaylandSessionE2E::timed(const QStringList &arguments)
{
    const double before = double(m_clock.nsecsElapsed()) / 1e9;
    xdo(arguments);
    return {before, double(m_clock.nsecsElapsed()) / 1e9};
}

// With TALLYMERE_E2E_SHOTS naming a folder, saves the screen there as <name>.png.
void TestWaylandSessionE2E::screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("TALLYMERE_E2E_SHOTS");
    if (folder.isEmpty())
        return;
    QProcess import;
    import.setProcessEnvironment(m_desktop.x().environment());
    import.start(QStringLiteral("import"),
                 {"-window", "root", folder + QLatin1Char('/') + name + QStringLiteral(".png")});
    import.waitForFinished(10000);
}

// Print chosen in the open File menu, and ENTER to the prompt once it has had time to open: the
// report's rows, read back from the printed PDF.
QStringList TestWaylandSessionE2E::print(const QString &anchor)
{
    xdo({"key", "p"});
    QThread::msleep(1000);
    screenshot(QStringLiteral("prompt-%1").arg(m_jobs + 1));
    xdo({"key", "Return"});
    const QString pdf = m_cups->waitForJobFiles(++m_jobs, 30000);
    if (pdf.isEmpty())
        return {};
    return readback::rows(CupsSandbox::pdfText(pdf), anchor, 10);
}

Printed TestWaylandSessionE2E::printSession()
{
    Printed printed;
    xdo({"key", "alt+f"});
    QThread::msleep(300);
    printed.rows = print(QStringLiteral("RESULTS of the Tallymere"));
    static const QRegularExpression timedValue(
        QStringLiteral(R"(^([\d.]+)\s+s\.\s*(?:\(n=\s*(\d+)\s*\))?$)"));
    const auto read = [&printed](const QString &label, double *seconds, int *count) {
        for (const QString &row : std::as_const(printed.rows)) {
            const QRegularExpressionMatch m = timedValue.match(row.mid(56).trimmed());
            if (row.trimmed().startsWith(label) && m.hasMatch()) {
                *seconds = m.captured(1).toDouble();
                if (count)
                    *count = m.captured(2).toInt();
            }
        }
    };
    read(QStringLiteral("Total sample duration :"), &printed.sample, nullptr);
    read(QStringLiteral("Total talking time :"), &printed.talk, &printed.talkCount);
    read(QStringLiteral("Total cluttering time :"), &printed.clutter, &printed.clutterCount);
    return printed;
}

// SPACE held for 3 s, Qt repeating it, starts the session once: SPACE struck a second after it
// comes up pauses a single sample of about 4 s.
void TestWaylandSessionE2E::heldSpaceStartsOnce()
{
    const Span start = timed({"keydown", "space"});
    QThread::msleep(3000);
    xdo({"keyup", "space"});
    QThread::msleep(1000);
    const Span pause = timed({"key", "space"});
    QThread::msleep(300);
    screenshot(QStringLiteral("held-space"));
    const Printed printed = printSession();
    QVERIFY2(!printed.rows.isEmpty(), qPrintable(m_cups->log()));
    qInfo("sample after SPACE held 3 s and struck 1 s later: %.1f s", printed.sample);
    QVERIFY2(withinATick(printed.sample, between(start, pause)),
             qPrintable(printed.rows.join('\n')));
}

void TestWaylandSessionE2E::marksCountAsHeld_data()
{
    // The buttons pressed and let go in turn ("1" left, "3" right), 500 ms apart.
    QTest::addColumn<QString>("buttons");
    QTest::addColumn<int>("talkCount");
    QTest::addColumn<int>("clutterCount");
    QTest::newRow("left alone") << "1 1" << 1 << 0;
    QTest::newRow("right alone") << "3 3" << 1 << 1;
    QTest::newRow("right inside left") << "1 3 3 1" << 1 << 1;
}

void TestWaylandSessionE2E::marksCountAsHeld()
{
    QFETCH(QString, buttons);
    QFETCH(int, talkCount);
    QFETCH(int, clutterCount);
    xdo({"key", "space"});
    QThread::msleep(300);
    // When each button went down and up.
    QHash<QString, std::pair<Span, Span>> held;
    for (const QString &button : buttons.split(QLatin1Char(' '))) {
        const bool down = !held.contains(button);
        const Span at = timed({down ? "mousedown" : "mouseup", button});
        (down ? held[button].first : held[button].second) = at;
        QThread::msleep(500);
    }
    xdo({"key", "space"});
    QThread::msleep(300);
    screenshot(QStringLiteral("marks-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
    const Printed printed = printSession();
    const QString report = printed.rows.join('\n');
    QVERIFY2(!printed.rows.isEmpty(), qPrintable(m_cups->log()));
    QCOMPARE(printed.talkCount, talkCount);
    QCOMPARE(printed.clutterCount, clutterCount);
    // Speech is the left button's hold, or the right's where it is pressed alone.
    const auto speech = held.value(held.contains("1") ? "1" : "3");
    QVERIFY2(withinATick(printed.talk, between(speech.first, speech.second)), qPrintable(report));
    if (clutterCount > 0) {
        const auto clutter = held.value("3");
        QVERIFY2(withinATick(printed.clutter, between(clutter.first, clutter.second)),
                 qPrintable(report));
    }
}

// After a pause, RESET clicked with the pointer clears the session; the sample started next is
// timed from its own start.
void TestWaylandSessionE2E::resetByThePointerStartsANewSample()
{
    xdo({"key", "space"});
    QThread::msleep(800);
    xdo({"key", "space"});
    QThread::msleep(300);
    // RESET: 600 x 1695 twips in the client area, 855 x 280 in size.
    pointAtClient(68, 122);
    xdo({"click", "1"});
    pointAtClient(200, 500);
    QThread::msleep(300);
    const Span start = timed({"key", "space"});
    QThread::msleep(1500);
    const Span pause = timed({"key", "space"});
    QThread::msleep(300);
    screenshot(QStringLiteral("after-reset"));
    const Printed printed = printSession();
    QVERIFY2(!printed.rows.isEmpty(), qPrintable(m_cups->log()));
    QVERIFY2(withinATick(printed.sample, between(start, pause)),
             qPrintable(printed.rows.join('\n')));
}

// The rating window opened from the menu bar, one bar pressed at its middle: the printed score.
void TestWaylandSessionE2E::ratingScalePress()
{
    xdo({"key", "alt+f"});
    QThread::msleep(300);
    xdo({"key", "Right"});
    QThread::msleep(200);
    xdo({"key", "Return"});
    QThread::msleep(1500);
    const ScaleRow *bar = ScaleTable::byBar(QStringLiteral("SpeakingRateScale"));
    // The drawing area stands 2 pixels inside the bar's edge; the bars are 21 pixels high.
    pointAtClient(ScaleTable::barLeft / 15 + 2 + 389, bar->barTop / 15 + 2 + 10);
    xdo({"click", "1"});
    QThread::msleep(300);
    screenshot(QStringLiteral("rating-pressed"));
    // Its File menu has no access key: opened with the pointer, then "&Print".
    m_desktop.pointAt(18, menuBar / 2);
    xdo({"click", "1"});
    QThread::msleep(300);
    const QStringList rows =
        print(QStringLiteral("RESULTS of the Visual Analog Scale Perceptual Rating Procedure"));
    QVERIFY2(!rows.isEmpty(), qPrintable(m_cups->log()));
    const QString expected = readback::row({{10, "Speaking rate"}, {50, "50.0 %"}, {65, "5.0"}});
    QVERIFY2(rows.contains(expected), qPrintable(rows.join('\n')));
}

QTEST_MAIN(TestWaylandSessionE2E)
#include "test_wayland_session_e2e.moc"
