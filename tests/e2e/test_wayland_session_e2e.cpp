// The program as a native Wayland client: Weston with its kiosk shell (drawn in a private Xvfb),
// a private CUPS scheduler, and the built program with QT_QPA_PLATFORM=wayland. xdotool presses
// keys and buttons in Weston's window, and Weston makes the Wayland input from them with its own
// timestamps, while Qt makes a held key's repeats itself. Every case prints its report and reads
// the times back. No client window can be seen from outside Weston, so each step waits until
// Weston's output shows what the step needs: the window drawn, a menu open, the prompt up.
#include "CupsSandbox.h"
#include "ReportReadBack.h"
#include "WestonDesktop.h"

#include "core/ratings/ScaleTable.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

namespace {

// Weston's kiosk shell puts the window at the top left of its output, without a frame; the
// client area starts under the menu bar.
constexpr int menuBar = 19;

// Points of the main window's client area, in pixels (15 twips to the pixel), and the colours
// they show: the start button (480 x 2640 twips) as it is before the first start, while
// running and when paused; the first panel's header (480 x 5280), shown only while paused.
const QPoint startButton(32 + 20, 176 + 12);
const QColor ready(255, 192, 192);
const QColor running(200, 255, 200);
const QColor paused(255, 200, 200);
const QPoint resultsHeader(32 + 5, 352 + 5);
const QColor resultsTeal(0, 128, 128);
// Where a menu dropped from the menu bar draws its first item, and where a message box
// stands: in the middle of the output.
const QRect firstMenuItem(6, menuBar + 4, 40, 14);
const QRect fileOnTheBar(0, 0, 36, menuBar);
const QRect middle(540, 432, 200, 160);

// An interval of the wall clock in seconds: a moment within it.
struct Span {
    double least = 0;
    double most = 0;
};

struct Printed : readback::Times {
    QString failed; // the step that did not happen
    QStringList rows;
};

bool withinATick(double printed, Span span)
{
    return readback::withinATick(printed, span.least, span.most);
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
    QImage screen() const { return m_desktop.x().grab(m_desktop.window()); }
    // Waits until the client area shows `colour` at `at`.
    bool shows(QPoint at, const QColor &colour) const;
    // Waits until `area` of the output looks other than in `before`.
    bool changes(const QRect &area, const QImage &before) const;
    // Waits until `area` of the output looks as in `before` again.
    bool returns(const QRect &area, const QImage &before) const;
    // Makes sure the keyboard is on the program's window: alt+f opens its File menu.
    bool keyboardOnTheWindow();
    // Strikes keys until `area` of the output looks other than in `before`, struck again where
    // the program is seen idle with nothing changed.
    bool strikeUntil(const std::function<void()> &strike, const QRect &area, const QImage &before);
    // alt+f until the File menu is open over `before`.
    bool openFileMenu(const QImage &before);
    // SPACE until the client area shows `colour` at `at`: the session started or paused.
    bool spaceUntil(QPoint at, const QColor &colour);
    // Print chosen in the open File menu and the prompt answered: the report's rows read back
    // from the printed PDF, or what did not happen in `failed`.
    QStringList print(const QString &anchor, const QImage &before, QString *failed);
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
    const QString failed = m_desktop.start(QProcessEnvironment::systemEnvironment());
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_app.setProcessEnvironment(m_desktop.environment());
    m_app.setProcessChannelMode(QProcess::ForwardedChannels);
    m_clock.start();
}

// A fresh program for each case: a fresh session, its window drawn and given the keyboard.
void TestWaylandSessionE2E::init()
{
    if (m_app.state() != QProcess::NotRunning) {
        m_app.terminate();
        QVERIFY(m_app.waitForFinished(20000));
    }
    m_app.start(QStringLiteral(TALLYMERE_BINARY), {});
    QVERIFY(m_app.waitForStarted());
    // A point of the window's background, below the counter/timer box.
    pointAtClient(200, 500);
    QVERIFY2(shows(startButton, ready),
             qPrintable("the main window was not drawn: no start button\n" + m_desktop.log()));
    QVERIFY2(keyboardOnTheWindow(), "alt+f never opened the File menu: the keyboard is elsewhere");
}

bool TestWaylandSessionE2E::shows(QPoint at, const QColor &colour) const
{
    const QPoint onScreen = at + QPoint(0, menuBar);
    return m_desktop.x().waitForScreen(
        [&](const QImage &image) { return image.pixelColor(onScreen) == colour; },
        m_desktop.window());
}

bool TestWaylandSessionE2E::changes(const QRect &area, const QImage &before) const
{
    return m_desktop.x().waitForScreen(
        [&](const QImage &image) { return image.copy(area) != before.copy(area); },
        m_desktop.window());
}

bool TestWaylandSessionE2E::returns(const QRect &area, const QImage &before) const
{
    return m_desktop.x().waitForScreen(
        [&](const QImage &image) { return image.copy(area) == before.copy(area); },
        m_desktop.window());
}

// Weston gives the keyboard to the window it maps last, and to a window clicked. Until alt+f
// opens the File menu, the window's background is clicked (which does nothing before a start)
// and the keys struck again.
bool TestWaylandSessionE2E::keyboardOnTheWindow()
{
    const QImage before = screen();
    bool first = true;
    const auto strike = [&] {
        if (!first)
            xdo({"click", "1"});
        first = false;
        xdo({"key", "alt+f"});
    };
    if (!strikeUntil(strike, firstMenuItem, before))
        return false;
    // The first ESCAPE closes the menu, the second leaves the menu bar.
    xdo({"key", "Escape"});
    if (!returns(firstMenuItem, before))
        return false;
    xdo({"key", "Escape"});
    return returns(fileOnTheBar, before);
}

bool TestWaylandSessionE2E::strikeUntil(const std::function<void()> &strike, const QRect &area,
                                        const QImage &before)
{
    const auto changed = [&] { return screen().copy(area) != before.copy(area); };
    return XDesktop::strikeUntil(
        strike, changed, [&] { return !changed(); }, m_app.processId());
}

// A menu bar left in keyboard mode opens its menu on SPACE: the menu is closed and the bar left
// before SPACE is struck again.
bool TestWaylandSessionE2E::spaceUntil(QPoint at, const QColor &colour)
{
    const QImage before = screen();
    const auto shown = [&] { return screen().pixelColor(at + QPoint(0, menuBar)) == colour; };
    const auto strike = [&] {
        const QImage now = screen();
        if (now.copy(firstMenuItem) != before.copy(firstMenuItem) ||
            now.copy(fileOnTheBar) != before.copy(fileOnTheBar)) {
            xdo({"key", "Escape"});
            xdo({"key", "Escape"});
            returns(fileOnTheBar, before);
        }
        xdo({"key", "space"});
    };
    return XDesktop::strikeUntil(
        strike, shown, [&] { return !shown(); }, m_app.processId());
}

bool TestWaylandSessionE2E::openFileMenu(const QImage &before)
{
    return strikeUntil([this] { xdo({"key", "alt+f"}); }, firstMenuItem, before);
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

QStringList TestWaylandSessionE2E::print(const QString &anchor, const QImage &before,
                                         QString *failed)
{
    if (!changes(firstMenuItem, before)) {
        *failed = QStringLiteral("the File menu did not open");
        return {};
    }
    if (!strikeUntil([this] { xdo({"key", "p"}); }, middle, before)) {
        *failed = QStringLiteral("the printer prompt did not come up");
        return {};
    }
    screenshot(QStringLiteral("prompt-%1").arg(m_jobs + 1));
    xdo({"key", "Return"});
    const QString pdf = m_cups->waitForJobFiles(++m_jobs, 30000);
    if (pdf.isEmpty()) {
        *failed = QStringLiteral("no job was printed\n") + m_cups->log();
        return {};
    }
    return readback::rows(CupsSandbox::pdfText(pdf), anchor, 10);
}

Printed TestWaylandSessionE2E::printSession()
{
    Printed printed;
    const QImage before = screen();
    if (!openFileMenu(before)) {
        printed.failed = QStringLiteral("the File menu did not open");
        return printed;
    }
    printed.rows = print(QStringLiteral("RESULTS of the Tallymere"), before, &printed.failed);
    static_cast<readback::Times &>(printed) = readback::times(printed.rows);
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
    QVERIFY2(shows(startButton, paused), "the session did not pause");
    screenshot(QStringLiteral("held-space"));
    const Printed printed = printSession();
    QVERIFY2(printed.failed.isEmpty(), qPrintable(printed.failed));
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
    QVERIFY2(spaceUntil(startButton, running), "the session did not start");
    // When each button went down and up.
    QHash<QString, std::pair<Span, Span>> held;
    for (const QString &button : buttons.split(QLatin1Char(' '))) {
        const bool down = !held.contains(button);
        const Span at = timed({down ? "mousedown" : "mouseup", button});
        (down ? held[button].first : held[button].second) = at;
        QThread::msleep(500);
    }
    QVERIFY2(spaceUntil(startButton, paused), "the session did not pause");
    screenshot(QStringLiteral("marks-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
    const Printed printed = printSession();
    const QString report = printed.rows.join('\n');
    QVERIFY2(printed.failed.isEmpty(), qPrintable(printed.failed));
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
    QVERIFY2(spaceUntil(startButton, running), "the session did not start");
    QThread::msleep(800);
    QVERIFY2(spaceUntil(resultsHeader, resultsTeal), "the session did not pause");
    // RESET: 600 x 1695 twips in the client area, 855 x 280 in size.
    pointAtClient(68, 122);
    xdo({"click", "1"});
    pointAtClient(200, 500);
    QVERIFY2(m_desktop.x().waitForScreen(
                 [](const QImage &image) {
                     return image.pixelColor(resultsHeader + QPoint(0, menuBar)) != resultsTeal;
                 },
                 m_desktop.window()),
             "RESET did not hide the results");
    const Span start = timed({"key", "space"});
    QThread::msleep(1500);
    const Span pause = timed({"key", "space"});
    QVERIFY2(shows(resultsHeader, resultsTeal), "the session did not pause");
    screenshot(QStringLiteral("after-reset"));
    const Printed printed = printSession();
    QVERIFY2(printed.failed.isEmpty(), qPrintable(printed.failed));
    QVERIFY2(withinATick(printed.sample, between(start, pause)),
             qPrintable(printed.rows.join('\n')));
}

// The rating window opened from the menu bar, one bar pressed at its middle: the printed score.
void TestWaylandSessionE2E::ratingScalePress()
{
    const QImage main = screen();
    QVERIFY2(openFileMenu(main), "the File menu did not open");
    xdo({"key", "Right"});
    QVERIFY2(returns(firstMenuItem, main), "Right did not leave the File menu");
    xdo({"key", "Return"});
    const ScaleRow *bar = ScaleTable::byBar(QStringLiteral("SpeakingRateScale"));
    // The drawing area stands 2 pixels inside the bar's edge; the bars are 21 pixels high.
    const QPoint middleOfBar(ScaleTable::barLeft / 15 + 2 + 389, bar->barTop / 15 + 2 + 10);
    QVERIFY2(shows(middleOfBar, Qt::white), "the rating window was not drawn");
    pointAtClient(middleOfBar.x(), middleOfBar.y());
    xdo({"click", "1"});
    // Weston draws the pointer over the window: it is moved off the mark to see it.
    pointAtClient(middleOfBar.x(), middleOfBar.y() + 60);
    QVERIFY2(shows(middleOfBar, QColor(255, 128, 128)), "the press drew no mark");
    screenshot(QStringLiteral("rating-pressed"));
    // Its File menu has no access key: opened with the pointer, then "&Print".
    const QImage before = screen();
    m_desktop.pointAt(18, menuBar / 2);
    xdo({"click", "1"});
    QString failed;
    const QStringList rows =
        print(QStringLiteral("RESULTS of the Visual Analog Scale Perceptual Rating Procedure"),
              before, &failed);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    const QString expected = readback::row({{10, "Speaking rate"}, {50, "50.0 %"}, {65, "5.0"}});
    QVERIFY2(rows.contains(expected), qPrintable(rows.join('\n')));
}

QTEST_MAIN(TestWaylandSessionE2E)
#include "test_wayland_session_e2e.moc"
