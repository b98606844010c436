// A whole session as a clinician runs it, on a real X server: Xvfb with openbox, a private CUPS
// scheduler, and the built program driven from outside with xdotool. The printed reports are
// read back from the captured PDF and checked: counts exactly, every derived measure against
// the printed times, and the rating scores against the pixels pressed. Then the program is stopped
// (SIGSTOP) while the clinician's hands go on, and what happened meanwhile must count at its own
// time; and SPACE is held down with the server's auto-repeat on.
#include "CupsSandbox.h"
#include "ReportReadBack.h"
#include "XDesktop.h"

#include "core/ratings/ScaleTable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <cmath>
#include <csignal>
#include <memory>

namespace {

// Rounds half away from zero to `decimals`, as the report's patterns do.
QString fixed(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return QString::number(std::round(value * scale) / scale, 'f', decimals);
}

// The start button's colours before the first start, while running and while paused; it stands
// 32 x 176 pixels into the client area, which starts under a menu bar of about 22 pixels.
const QColor ready(255, 192, 192);
const QColor running(200, 255, 200);
const QColor paused(255, 200, 200);

} // namespace

class TestDesktopSessionE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void sessionIsCountedTimedAndPrinted();
    void ratingsArePrintedAsPressed();
    void marksCountAtTheirTimeThroughAStall();
    void heldSpaceStartsOnceAndResetCountsInAStall();

private:
    void startProgram();
    // Waits until the main window's start button shows `colour`.
    bool startButtonShows(const QColor &colour) const;
    // Opens the focused window's File menu with alt+f and waits until it is shown.
    bool openFileMenu();
    // Runs one xdotool command; returns the seconds on `clock` just before and just after it.
    std::pair<double, double> timed(const QElapsedTimer &clock, const QStringList &arguments);
    // Prints the session report and reads it back: the printed times in seconds, with counts.
    struct Printed : readback::Times {
        QStringList rows;
    };
    Printed printSession();
    QString xdo(const QStringList &arguments) { return m_desktop.xdo(arguments); }
    QString waitForWindow(const QString &title) { return m_desktop.waitForWindow(title); }
    // With TALLYMERE_E2E_SHOTS naming a folder, saves the screen there as <name>.png.
    void screenshot(const QString &name);
    void answerPrompts(int count);
    QStringList printedRows(int jobNumber, const QString &anchor);

    std::unique_ptr<CupsSandbox> m_cups;
    XDesktop m_desktop;
    QProcess m_app;
    int m_jobs = 0;
};

void TestDesktopSessionE2E::screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("TALLYMERE_E2E_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QProcess::execute(QStringLiteral("import"),
                      {"-window", "root", QDir(folder).filePath(name + QStringLiteral(".png"))});
}

// Dismisses the program's message boxes with ENTER, as the user does.
void TestDesktopSessionE2E::answerPrompts(int count)
{
    for (int i = 0; i < count; ++i) {
        const QString box = waitForWindow(QStringLiteral("Tallymere2.02"));
        QVERIFY2(!box.isEmpty(), "no printer prompt");
        QVERIFY2(m_desktop.focus(box), "the printer prompt never had the keyboard");
        xdo({"key", "--clearmodifiers", "Return"});
        QElapsedTimer clock;
        clock.start();
        while (xdo({"search", "--onlyvisible", "--name", "^Tallymere2\\.02$"}).contains(box)) {
            QVERIFY2(clock.elapsed() < 20000, "the printer prompt did not close on ENTER");
            QThread::msleep(100);
        }
    }
}

QStringList TestDesktopSessionE2E::printedRows(int jobNumber, const QString &anchor)
{
    const QString pdf = m_cups->waitForJobFiles(jobNumber, 30000);
    if (pdf.isEmpty())
        return {};
    // With TALLYMERE_E2E_SHOTS set, the printed documents are kept beside the screenshots.
    const QString folder = qEnvironmentVariable("TALLYMERE_E2E_SHOTS");
    if (!folder.isEmpty())
        QFile::copy(pdf, QDir(folder).filePath(QStringLiteral("job-%1.pdf").arg(jobNumber)));
    return readback::rows(CupsSandbox::pdfText(pdf), anchor, 10);
}

void TestDesktopSessionE2E::initTestCase()
{
    // The set-up installs every tool; one missing is a failure, never a silent skip.
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "xwininfo"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    m_cups = std::make_unique<CupsSandbox>();
    QString error;
    QVERIFY2(m_cups->startWithDefaultQueue(QStringLiteral("tallymere_desktop"), &error),
             qPrintable(error));

    const QString failed = m_desktop.start(QProcessEnvironment::systemEnvironment());
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    // The screenshots and xwininfo look at the same desktop.
    qputenv("DISPLAY", m_desktop.display().toLocal8Bit());

    m_app.setProcessEnvironment(m_desktop.environment());
    m_app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

// A fresh program for each case, its window drawn and given the keyboard, the pointer on a
// point of its background below the counter/timer box and left of the instructions.
void TestDesktopSessionE2E::init()
{
    if (m_app.state() != QProcess::NotRunning) {
        m_app.terminate();
        QVERIFY(m_app.waitForFinished(20000));
    }
    startProgram();
}

void TestDesktopSessionE2E::startProgram()
{
    m_app.start(QStringLiteral(TALLYMERE_BINARY), {});
    QVERIFY(m_app.waitForStarted());
    const QString main = waitForWindow(XDesktop::mainWindowTitle);
    QVERIFY2(!main.isEmpty(), "the main window did not appear");
    QVERIFY2(m_desktop.focus(main), "the main window never had the keyboard");
    xdo({"mousemove", "--window", main, "200", "500"});
    QVERIFY2(startButtonShows(ready), "the main window was not drawn");
}

bool TestDesktopSessionE2E::startButtonShows(const QColor &colour) const
{
    const QString main = m_desktop.waitForWindow(XDesktop::mainWindowTitle);
    return m_desktop.waitForScreen(
        [&colour](const QImage &window) {
            for (int y = 176 + 12; y < 176 + 12 + 40 && y < window.height(); ++y) {
                if (window.pixelColor(32 + 20, y) == colour)
                    return true;
            }
            return false;
        },
        main);
}

bool TestDesktopSessionE2E::openFileMenu()
{
    const QString main = waitForWindow(XDesktop::mainWindowTitle);
    const int shown = m_desktop.shownWindows(main);
    return XDesktop::strikeUntil(
        [this] {
            xdo({"key", "alt+f"});
        },
        [&] { return m_desktop.shownWindows(main) == shown + 1; },
        [&] { return m_desktop.shownWindows(main) == shown; }, m_app.processId());
}

std::pair<double, double> TestDesktopSessionE2E::timed(const QElapsedTimer &clock,
                                                       const QStringList &arguments)
{
    const double before = double(clock.nsecsElapsed()) / 1e9;
    xdo(arguments);
    return {before, double(clock.nsecsElapsed()) / 1e9};
}

void TestDesktopSessionE2E::cleanupTestCase()
{
    if (m_app.state() != QProcess::NotRunning) {
        m_app.terminate();
        if (!m_app.waitForFinished(5000))
            m_app.kill();
        m_app.waitForFinished(2000);
    }
    m_desktop.stop();
    m_cups.reset();
}

void TestDesktopSessionE2E::sessionIsCountedTimedAndPrinted()
{
    const auto hold = [this](const char *button, int ms) {
        xdo({"mousedown", button});
        QThread::msleep(ms);
        xdo({"mouseup", button});
    };

    xdo({"key", "space"}); // start
    QThread::msleep(600);
    hold("1", 1200); // speaking interval 1
    QThread::msleep(400);
    xdo({"mousedown", "1"}); // speaking interval 2, with a cluttering interval inside
    QThread::msleep(300);
    hold("3", 1000); // cluttering interval 1
    QThread::msleep(300);
    xdo({"mouseup", "1"});
    QThread::msleep(400);
    xdo({"key", "space"}); // pause
    QThread::msleep(500);
    xdo({"click", "2"}); // the middle button resumes
    QThread::msleep(400);
    hold("1", 800); // speaking interval 3
    QThread::msleep(400);
    xdo({"click", "2"}); // and pauses
    QVERIFY2(startButtonShows(paused), "the middle button did not pause");

    screenshot(QStringLiteral("session-paused"));
    const Printed printed = printSession();
    const QStringList &rows = printed.rows;
    QVERIFY2(!rows.isEmpty(), qPrintable(m_cups->log()));

    // label -> the rest of its row from column 57
    const auto value = [&rows](const QString &label) -> QString {
        for (const QString &row : rows) {
            if (row.trimmed().startsWith(label))
                return row.mid(56).trimmed();
        }
        return QStringLiteral("<missing %1>").arg(label);
    };
    const auto [sample, talk, talkCount, clutter, clutterCount] =
        static_cast<const readback::Times &>(printed);
    QVERIFY2(sample > 0 && talk > 0 && clutter > 0, qPrintable(rows.join('\n')));

    QCOMPARE(talkCount, 3);
    QCOMPARE(clutterCount, 1);
    // Generous bounds on the wall clock: about 5.9 s of recording, 3.7 s held left, 1 s right.
    QVERIFY2(sample >= 3 && sample <= 20, qPrintable(QString::number(sample)));
    QVERIFY(talk <= sample && clutter <= talk);
    QVERIFY(talk >= 2);

    QCOMPARE(value("- Percentage silences/pauses :"), fixed((1 - talk / sample) * 100, 1) + " %");
    QCOMPARE(value("- Percentage (all) talking time :"), fixed(talk / sample * 100, 1) + " %");
    QCOMPARE(value("- Percentage clutter-free talking time :"),
             fixed((1 - clutter / talk) * 100, 1) + " %");
    QCOMPARE(value("- Percentage talking time cluttered :"), fixed(clutter / talk * 100, 1) + " %");
    QCOMPARE(value("Percentage sample duration cluttered :"),
             fixed(clutter / sample * 100, 1) + " %");
    QCOMPARE(value("Mean interval duration talking time :"), fixed(talk / talkCount, 2) + "  s.");
    QCOMPARE(value("Mean interval duration cluttering time :"),
             fixed(clutter / clutterCount, 2) + "  s.");
    QCOMPARE(value("Cluttering intervals/min (sample duration) :"),
             fixed(clutterCount * 60 / sample, 2));
    QCOMPARE(value("Cluttering intervals/min (talking time) :"),
             fixed(clutterCount * 60 / talk, 2));
}

void TestDesktopSessionE2E::ratingsArePrintedAsPressed()
{
    const QString ratings = m_desktop.openRatingsWindow();
    QVERIFY2(!ratings.isEmpty(), "the rating window did not open");

    // The window's client area starts under its menu bar; the bars stand at their designed
    // twips, the drawing area 2 pixels inside the bar's edge.
    // xwininfo gives the client window's own corner (xdotool's geometry counts the frame twice).
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {"-id", ratings});
    xwininfo.waitForFinished(10000);
    const QString geometry = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
    const QRegularExpression corner(
        QStringLiteral(R"(Absolute upper-left X:\s+(\d+)\s+Absolute upper-left Y:\s+(\d+))"));
    const QRegularExpressionMatch at = corner.match(geometry);
    QVERIFY2(at.hasMatch(), qPrintable(geometry));
    const int windowX = at.captured(1).toInt();
    const int windowY = at.captured(2).toInt();
    const int menuBar = 22; // about one line of the menu font; the bars are 21 pixels high
    // A press draws its mark, light red, over the height of the drawing area; it is looked at
    // above the pointer's tip.
    const auto press = [&](const char *bar, int x) {
        const ScaleRow *row = ScaleTable::byBar(QString::fromLatin1(bar));
        const int left = ScaleTable::barLeft / 15 + 2;
        const int top = menuBar + row->barTop / 15 + 2 + 10;
        xdo({"mousemove", QString::number(windowX + left + x), QString::number(windowY + top)});
        xdo({"click", "1"});
        return m_desktop.waitForScreen(
            [&](const QImage &window) {
                return window.pixelColor(left + x, top - 6) == QColor(255, 128, 128);
            },
            ratings);
    };
    QVERIFY2(press("SpeakingRateScale", 389), "no mark on Speaking rate");
    QVERIFY2(press("DisfluencyScale", 0), "no mark on Disfluency");
    QVERIFY2(press("NaturalnessScale", 778), "no mark on Naturalness");

    // Its "File" menu has no access key: open it with the mouse, then choose "&Print".
    const int shown = m_desktop.shownWindows(ratings);
    xdo({"mousemove", QString::number(windowX + 18), QString::number(windowY + menuBar / 2)});
    xdo({"click", "1"});
    QVERIFY2(m_desktop.waitForShownWindows(ratings, shown + 1), "its File menu did not open");
    screenshot(QStringLiteral("ratings-file-menu"));
    xdo({"key", "p"});
    answerPrompts(1);
    const QStringList rows = printedRows(
        ++m_jobs, QStringLiteral("RESULTS of the Visual Analog Scale Perceptual Rating Procedure"));
    QVERIFY2(!rows.isEmpty(), qPrintable(m_cups->log()));
    const auto rowOf = [&rows](const QString &feature) {
        for (const QString &row : rows) {
            if (row.mid(9).startsWith(feature))
                return row;
        }
        return QString();
    };
    using readback::row;
    QCOMPARE(rowOf("Speaking rate"), row({{10, "Speaking rate"}, {50, "50.0 %"}, {65, "5.0"}}));
    QCOMPARE(rowOf("Disfluency"), row({{10, "Disfluency"}, {50, ".0 %"}, {65, "1.0"}}));
    QCOMPARE(rowOf("Naturalness"), row({{10, "Naturalness"}, {50, "100.0 %"}, {65, "9.0"}}));
}

TestDesktopSessionE2E::Printed TestDesktopSessionE2E::printSession()
{
    Printed printed;
    if (!openFileMenu())
        return printed;
    xdo({"key", "p"});
    answerPrompts(1);
    printed.rows = printedRows(++m_jobs, QStringLiteral("RESULTS of the Tallymere"));
    static_cast<readback::Times &>(printed) = readback::times(printed.rows);
    return printed;
}

// The program stopped for 1.5 s: 1.0 s into a 1.4 s hold of the left button, the release 0.4 s
// into the stop, and SPACE (pause) 0.3 s after it. When it runs again, it finds the release and
// SPACE queued behind 1.5 s of ticks. Each must count at its own time: the talking time within one
// tick of the hold, the sample ending at SPACE.
void TestDesktopSessionE2E::marksCountAtTheirTimeThroughAStall()
{
    // Each action happens somewhere inside its xdotool run: [before, after] on one clock.
    QElapsedTimer clock;
    clock.start();
    const auto timed = [&](const QStringList &arguments) { return this->timed(clock, arguments); };
    const pid_t program = pid_t(m_app.processId());
    const auto start = timed({"key", "space"});
    QThread::msleep(600);
    const auto press = timed({"mousedown", "1"});
    QThread::msleep(950);
    QCOMPARE(::kill(program, SIGSTOP), 0);
    QThread::msleep(400);
    const auto release = timed({"mouseup", "1"});
    QThread::msleep(300);
    const auto pause = timed({"key", "space"});
    QThread::msleep(800);
    QCOMPARE(::kill(program, SIGCONT), 0);
    QVERIFY2(startButtonShows(paused), "the SPACE made in the stop did not pause");
    screenshot(QStringLiteral("session-after-stall"));

    const Printed printed = printSession();
    QVERIFY2(!printed.rows.isEmpty(), qPrintable(m_cups->log()));
    const QString report = printed.rows.join('\n');
    QCOMPARE(printed.talkCount, 1);
    const double holdLeast = release.first - press.second;
    const double holdMost = release.second - press.first;
    QVERIFY2(
        readback::withinATick(printed.talk, holdLeast, holdMost),
        qPrintable(QStringLiteral("held %1 to %2 s\n%3").arg(holdLeast).arg(holdMost).arg(report)));
    const double sampleLeast = pause.first - start.second;
    const double sampleMost = pause.second - start.first;
    QVERIFY2(readback::withinATick(printed.sample, sampleLeast, sampleMost),
             qPrintable(QStringLiteral("recorded %1 to %2 s\n%3")
                            .arg(sampleLeast)
                            .arg(sampleMost)
                            .arg(report)));
}

// SPACE held for 3 s with the X server repeating it starts the session once: SPACE struck a
// second after it comes up pauses a single sample of about 4 s. Then the program is stopped while
// the clinician pauses with SPACE, clicks RESET and starts again with SPACE: the new sample keeps
// nothing of the speech marked before RESET.
void TestDesktopSessionE2E::heldSpaceStartsOnceAndResetCountsInAStall()
{
    const QString main = waitForWindow(XDesktop::mainWindowTitle);
    QElapsedTimer clock;
    clock.start();
    const auto timed = [&](const QStringList &arguments) { return this->timed(clock, arguments); };

    const auto start = timed({"keydown", "space"});
    QThread::msleep(3000);
    xdo({"keyup", "space"});
    QThread::msleep(1000);
    const auto pause = timed({"key", "space"});
    QVERIFY2(startButtonShows(paused), "SPACE did not pause");
    const Printed held = printSession();
    QVERIFY2(!held.rows.isEmpty(), qPrintable(m_cups->log()));
    QVERIFY2(
        readback::withinATick(held.sample, pause.first - start.second, pause.second - start.first),
        qPrintable(held.rows.join('\n')));

    QVERIFY2(m_desktop.focus(main), "the main window did not have the keyboard back");
    xdo({"key", "space"});
    QVERIFY2(startButtonShows(running), "SPACE did not resume");
    xdo({"mousedown", "1"});
    QThread::msleep(800);
    xdo({"mouseup", "1"});
    QThread::msleep(300);
    const pid_t program = pid_t(m_app.processId());
    QCOMPARE(::kill(program, SIGSTOP), 0);
    xdo({"key", "space"});
    QThread::msleep(200);
    // RESET, 600 x 1695 twips in the client area, 855 x 280 in size, under a menu bar of about
    // 22 pixels.
    xdo({"mousemove", "--window", main, "68", "144"});
    xdo({"click", "1"});
    xdo({"mousemove", "--window", main, "200", "500"});
    QThread::msleep(200);
    const auto restart = timed({"key", "space"});
    QThread::msleep(500);
    QCOMPARE(::kill(program, SIGCONT), 0);
    QThread::msleep(800);
    const auto stop = timed({"key", "space"});
    QVERIFY2(startButtonShows(paused), "SPACE did not pause");
    screenshot(QStringLiteral("session-reset-in-stall"));
    const Printed afterReset = printSession();
    QVERIFY2(!afterReset.rows.isEmpty(), qPrintable(m_cups->log()));
    const QString report = afterReset.rows.join('\n');
    QVERIFY2(afterReset.talk == 0 && afterReset.talkCount == 0, qPrintable(report));
    QVERIFY2(readback::withinATick(afterReset.sample, stop.first - restart.second,
                                   stop.second - restart.first),
             qPrintable(report));
}

QTEST_MAIN(TestDesktopSessionE2E)
#include "test_desktop_session_e2e.moc"
