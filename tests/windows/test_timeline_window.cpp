// The Timeline window over the main window's session, both offscreen, driven with real events and
// opened through the program's navigator: the bars lie where the sample's time puts them, a row
// selects its bar and a bar its row, and SPACE starts and pauses the session with either window
// in front.
#include "Form1Harness.h"
#include "core/events/MouseButtons.h"
#include "startup/WindowNavigator.h"
#include "windows/main/Form1Surface.h"
#include "windows/timeline/TimelineLanes.h"
#include "windows/timeline/TimelineWindow.h"

#include <QTableWidget>

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

} // namespace

class TestTimelineWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Form1Harness::setUpApplication(); }
    void init();
    void cleanup();
    void barsLieAtTheSampleTime_data();
    void barsLieAtTheSampleTime();
    void aRowSelectsItsBarAndABarItsRow();
    void spaceStartsAndPausesFromEitherWindow_data();
    void spaceStartsAndPausesFromEitherWindow();

private:
    // 30 ticks: speech held from tick 5 to 15, cluttering alone from 20 to 25, then paused.
    void markASample();
    void press(Qt::MouseButton button, bool down);
    TimelineWindow *timeline() const
    {
        return qobject_cast<TimelineWindow *>(m_navigator->timelineWindow());
    }

    Form1Harness m_main;
    std::unique_ptr<WindowNavigator> m_navigator;
};

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

QTEST_MAIN(TestTimelineWindow)
#include "test_timeline_window.moc"
