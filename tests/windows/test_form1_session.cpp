// Mouse events travel the way a user's do: into the window at a position, to whichever control
// is there (labels and buttons keep them, shapes and lines let them through).
#define QTEST_QPA_MOUSE_HANDLING

#include "Form1Harness.h"

#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/DesignButton.h"
#include "widgets/kit/MessageBox.h"
#include "widgets/kit/SpaceKey.h"
#include "widgets/kit/Twips.h"
#include "windows/main/Form1Surface.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <qpa/qwindowsysteminterface.h>

// The session's states driven by real events on the shown main window.
class TestForm1Session : public QObject {
    Q_OBJECT

    Form1Harness m_harness;

    Form1 &form() { return *m_harness.window; }
    QWidget &surface() { return form().surface(); }
    QString text(const char *name) { return m_harness.control<QLabel>(name)->text(); }
    QColor colour(const char *name) { return m_harness.control<BorderedLabel>(name)->textColour(); }
    DesignButton *startButton() { return m_harness.control<DesignButton>("Command1"); }
    bool running() { return form().engine().state() == SessionEngine::State::Running; }
    static QPoint at(int x, int y) { return twips::point(x, y); }

    // The right half, where the instructions are until a recording runs.
    static QPoint rightHalf() { return at(10000, 5000); }
    // The margin of the counter/timer panel: a shape, which lets presses through.
    static QPoint overShape() { return at(300, 2000); }

    void space() { m_harness.strikeSpace(); }

    // SPACE events as the window receives them: "P" down, "R" up, then the stamp in ms after
    // now, and "*" where the toolkit flags the event as an auto-repeat. Returns how many times
    // the session started or paused. They go to `window`, the main window's if none is given.
    int keyEvents(const QString &script, QWindow *window = nullptr)
    {
        const quint64 now = quint64(m_harness.clock.milliseconds());
        int toggles = 0;
        for (const QString &item : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const bool wasRunning = running();
            const bool flagged = item.endsWith(QLatin1Char('*'));
            spaceevents::send(window ? window : form().windowHandle(),
                              item.startsWith(QLatin1Char('P')) ? QEvent::KeyPress
                                                                : QEvent::KeyRelease,
                              now + item.mid(1).remove(QLatin1Char('*')).toULongLong(), flagged);
            toggles += running() != wasRunning ? 1 : 0;
        }
        return toggles;
    }

    void mark(Qt::MouseButton button, QPoint where, int ticks)
    {
        QTest::mousePress(&surface(), button, {}, where);
        m_harness.tick(ticks);
        QTest::mouseRelease(&surface(), button, {}, where);
    }

    Qt::CursorShape pointerShape() { return surface().cursor().shape(); }

private slots:
    void initTestCase() { Form1Harness::setUpApplication(); }
    void init()
    {
        m_harness.open();
        QVERIFY(!QTest::currentTestFailed());
    }
    void cleanup() { m_harness.window.reset(); }

    void readyAfterOpening()
    {
        QCOMPARE(QApplication::focusWidget(), startButton());
        QCOMPARE(form().engine().state(), SessionEngine::State::Ready);
        QCOMPARE(pointerShape(), Qt::ArrowCursor);
        QVERIFY(!form().timer().isEnabled());
        QCOMPARE(startButton()->text(), QStringLiteral("SPACE BAR (or MOUSE WHEEL)   to  START"));
    }

    void spaceStartsAndPausesWithoutClickingTheButton()
    {
        QSignalSpy clicks(startButton(), &QPushButton::clicked);
        space();
        QVERIFY(running());
        QVERIFY(form().timer().isEnabled());
        QCOMPARE(startButton()->text(), QStringLiteral("SPACE BAR (or MOUSE WHEEL) to STOP/PAUSE"));
        QCOMPARE(startButton()->backColour(), QColor(200, 255, 200));
        QCOMPARE(startButton()->palette().color(QPalette::Button), QColor(200, 255, 200));
        QVERIFY(!m_harness.control("Instructions")->isVisible());
        QVERIFY(!m_harness.control("Shape2")->isVisible());
        QCOMPARE(text("LeftNumber"), QStringLiteral(" 0"));
        space();
        QCOMPARE(form().engine().state(), SessionEngine::State::Paused);
        QCOMPARE(startButton()->text(), QStringLiteral("SPACE BAR (or MOUSE WHEEL) to START"));
        QCOMPARE(startButton()->backColour(), QColor(255, 200, 200));
        QVERIFY(m_harness.control("Command2")->isVisible());
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!startButton()->isDown());
    }

    void spaceTogglesOncePerStroke_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("toggles");
        QTest::newRow("X11 repeats the toolkit recognised")
            << "P0 R500* P500* R533* P533* R566* P566* R599* P599* R632* P632* R900" << 1;
        QTest::newRow("X11 repeats the toolkit took for fresh presses")
            << "P0 R500 P500 R533 P533 R566 P566 R599 P599 R632 P632 R900" << 1;
        QTest::newRow("repeats without releases") << "P0 P500 P533 P566 P599 P632 R900" << 1;
        QTest::newRow("Wayland repeats, stamped with the first press")
            << "P0" + QString(" R0* P0*").repeated(60) + " R3000" << 1;
        QTest::newRow("two strikes, the second flagged by a release elsewhere")
            << "P0 R80 P700* R760" << 2;
        QTest::newRow("a strike as fast as a tool sends it, then another") << "P0 R2 P2 R4" << 2;
        // A release that never came (a keyboard grab took it): a press after a gap longer than
        // any auto-repeat delay is a fresh strike.
        QTest::newRow("a release lost, then a strike long after") << "P0 P3000 R3080" << 2;
    }

    void spaceTogglesOncePerStroke()
    {
        QFETCH(QString, events);
        QFETCH(int, toggles);
        QSignalSpy clicks(startButton(), &QPushButton::clicked);
        QCOMPARE(keyEvents(events), toggles);
        QCOMPARE(clicks.count(), 0);
    }

    // A held SPACE closes a box at a repeat's release when the paired press comes late (a busy
    // moment): that press and the repeats after it land on the start button, the same stroke.
    void aStrokeThatClosesABoxGoesNoFurther_data()
    {
        QTest::addColumn<QString>("onBox");
        QTest::addColumn<QString>("onWindow");
        QTest::newRow("X11") << "P0 R500"
                             << "P500 R533 P533 R566 P566 R900";
        QTest::newRow("X11, flagged") << "P0 R500*"
                                      << "P500* R533* P533* R900";
        QTest::newRow("Wayland") << "P0 R0*"
                                 << "P0* R0* P0* R3000";
    }

    void aStrokeThatClosesABoxGoesNoFurther()
    {
        QFETCH(QString, onBox);
        QFETCH(QString, onWindow);
        std::unique_ptr<QMessageBox> box = messagebox::create(&form(), QStringLiteral("No Data!"));
        box->setWindowModality(Qt::ApplicationModal);
        QSignalSpy closed(box.get(), &QDialog::finished);
        box->show();
        QVERIFY(QTest::qWaitForWindowActive(box.get()));
        QCOMPARE(keyEvents(onBox, box->windowHandle()), 0);
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(keyEvents(onWindow), 0);
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        space();
        QVERIFY(running());
    }

    // A box's button put down by SPACE whose release went elsewhere (a keyboard grab, another
    // window) is raised, and a release that comes later does not click it.
    void aButtonWhoseReleaseWentElsewhereIsRaised()
    {
        std::unique_ptr<QMessageBox> box = messagebox::create(&form(), QStringLiteral("No Data!"));
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
        QVERIFY(QTest::qWaitForWindowActive(box.get()));
        QAbstractButton *ok = box->buttons().value(0);
        QSignalSpy clicks(ok, &QAbstractButton::clicked);
        keyEvents(QStringLiteral("P0"), box->windowHandle());
        QVERIFY(ok->isDown());
        spaceevents::send(&surface(), QEvent::KeyRelease,
                          quint64(m_harness.clock.milliseconds()) + 80);
        QVERIFY(!ok->isDown());
        // The next strike on the box clicks it once, as a strike does.
        keyEvents(QStringLiteral("R900 P3000 R3080"), box->windowHandle());
        QTRY_COMPARE(clicks.count(), 1);
    }

    // Away from the program, a release may go to another one: after long enough away the key's
    // state is forgotten. Inactive, then hidden: the time away counts from the first.
    void awayLongEnoughThroughTwoStatesForgetsTheKey()
    {
        QCOMPARE(keyEvents(QStringLiteral("P0")), 1);
        const auto changeState = [](Qt::ApplicationState state) {
            QWindowSystemInterface::handleApplicationStateChanged(state, true);
            QWindowSystemInterface::flushWindowSystemEvents();
        };
        changeState(Qt::ApplicationInactive);
        QElapsedTimer away;
        away.start();
        QVERIFY(QTest::qWaitFor([&] { return away.elapsed() > SpaceKey::AwayMilliseconds; }));
        changeState(Qt::ApplicationHidden);
        changeState(Qt::ApplicationActive);
        QCOMPARE(keyEvents(QStringLiteral("P100 R180")), 1);
    }

    void otherKeysDoNothing()
    {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_A, Qt::Key_Escape, Qt::Key_Tab})
            QTest::keyClick(form().windowHandle(), key);
        QCOMPARE(form().engine().state(), SessionEngine::State::Ready);
        QCOMPARE(QApplication::focusWidget(), startButton()); // Tab has nowhere else to go
    }

    void middleButtonStartsAndPauses_data()
    {
        QTest::addColumn<QPoint>("startAt");
        QTest::newRow("on the instructions") << rightHalf();
        QTest::newRow("on the background") << at(3000, 10400);
        QTest::newRow("over a shape") << overShape();
    }
    void middleButtonStartsAndPauses()
    {
        QFETCH(QPoint, startAt);
        QTest::mouseClick(&surface(), Qt::MiddleButton, {}, startAt);
        QVERIFY(running());
        // Running, the instructions are hidden and the right half is background.
        QTest::mouseClick(&surface(), Qt::MiddleButton, {}, rightHalf());
        QCOMPARE(form().engine().state(), SessionEngine::State::Paused);
        // Paused, the instructions are back; a middle press on them resumes.
        QTest::mouseClick(&surface(), Qt::MiddleButton, {}, rightHalf());
        QVERIFY(running());
    }

    void marksOnTheBackground_data()
    {
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("markedTime");
        QTest::addColumn<QString>("leftNumber");
        QTest::addColumn<QString>("rightNumber");
        const int left = Qt::LeftButton;
        const int right = Qt::RightButton;
        QTest::newRow("left, right half") << rightHalf() << left << "1"
                                          << "time(s)"
                                          << "1"
                                          << " 0";
        QTest::newRow("left, over a shape") << overShape() << left << "1"
                                            << "time(s)"
                                            << "1"
                                            << " 0";
        QTest::newRow("right, right half") << rightHalf() << right << "1"
                                           << " 1"
                                           << "1"
                                           << " 1";
        QTest::newRow("right, over a shape") << overShape() << right << "1"
                                             << " 1"
                                             << "1"
                                             << " 1";
        QTest::newRow("right, over the line gap") << at(6900, 1570) << right << "1"
                                                  << " 1"
                                                  << "1"
                                                  << " 1";
    }
    void marksOnTheBackground()
    {
        QFETCH(QPoint, where);
        QFETCH(int, button);
        QFETCH(QString, clock);
        QFETCH(QString, markedTime);
        QFETCH(QString, leftNumber);
        QFETCH(QString, rightNumber);
        space();
        const auto mouseButton = Qt::MouseButton(button);
        QTest::mousePress(&surface(), mouseButton, {}, where);
        QCOMPARE(colour(mouseButton == Qt::LeftButton ? "Clock" : "MarkedTime"),
                 QColor(180, 180, 180));
        m_harness.tick(5);
        QTest::mouseRelease(&surface(), mouseButton, {}, where);
        QCOMPARE(text("Label1"), QStringLiteral("1"));
        QCOMPARE(text("Clock"), clock);
        QCOMPARE(text("MarkedTime"), markedTime);
        QCOMPARE(text("LeftNumber"), leftNumber);
        QCOMPARE(text("RightNumber"), rightNumber);
        QCOMPARE(colour("Clock"), QColor(0, 128, 128));
        QVERIFY(QApplication::activePopupWidget() == nullptr); // no context menu
    }

    // A box or a menu that comes up while a button is held takes its release: the hold ends as
    // it comes up, counted up to then, and nothing counts on while the button is up elsewhere.
    void aHoldEndsWhereAWindowBlocksTheWindow_data()
    {
        QTest::addColumn<bool>("menu");
        QTest::newRow("a message box") << false;
        QTest::newRow("the File menu") << true;
    }
    void aHoldEndsWhereAWindowBlocksTheWindow()
    {
        QFETCH(bool, menu);
        space();
        QTest::mousePress(&surface(), Qt::LeftButton, {}, rightHalf());
        m_harness.tick(5);
        std::unique_ptr<QMessageBox> box = messagebox::create(&form(), QStringLiteral("No Data!"));
        auto *file = m_harness.control<QMenu>("MnuFilE");
        if (menu) {
            file->popup(form().mapToGlobal(QPoint(10, 10)));
        } else {
            box->setWindowModality(Qt::ApplicationModal);
            box->show();
        }
        m_harness.tick(5);
        menu ? file->close() : box->close();
        QTest::mouseRelease(&surface(), Qt::LeftButton, {}, rightHalf());
        m_harness.tick(5);
        QCOMPARE(form().engine().fields().talkTicks.value_or(0), 5);
        QCOMPARE(form().engine().fields().talkCount.value_or(0), 1);
        QCOMPARE(colour("Clock"), QColor(0, 128, 128));
    }

    void pressesThatMustNotMark_data()
    {
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<int>("button");
        QTest::newRow("left on the speech box title") << at(3000, 1200) << int(Qt::LeftButton);
        QTest::newRow("right on the talking time") << at(4000, 1800) << int(Qt::RightButton);
        QTest::newRow("left on the section title") << at(2000, 400) << int(Qt::LeftButton);
        QTest::newRow("right on the t mark") << at(3600, 1720) << int(Qt::RightButton);
        QTest::newRow("left on the start button") << at(3000, 2800) << int(Qt::LeftButton);
        QTest::newRow("right on the start button") << at(3000, 2800) << int(Qt::RightButton);
    }
    void pressesThatMustNotMark()
    {
        QFETCH(QPoint, where);
        QFETCH(int, button);
        space();
        mark(Qt::MouseButton(button), where, 3);
        QCOMPARE(text("Label1"), QStringLiteral("0.6"));
        QCOMPARE(text("Clock"), QStringLiteral("time(s)"));
        QCOMPARE(text("LeftNumber"), QStringLiteral(" 0"));
        QCOMPARE(text("RightNumber"), QStringLiteral(" 0"));
        QCOMPARE(colour("Clock"), QColor(0, 128, 128));
        QVERIFY(running());
        QCOMPARE(QApplication::focusWidget(), startButton());
        QVERIFY(QApplication::activePopupWidget() == nullptr);
    }

    void marksCountOnlyWhileRunning()
    {
        mark(Qt::LeftButton, rightHalf(), 0); // Ready: over the instructions, and not running
        mark(Qt::LeftButton, at(3000, 10400), 0);
        QCOMPARE(text("LeftNumber"), QStringLiteral("#"));
        QCOMPARE(colour("Clock"), QColor(0, 128, 128));
    }

    void doubleClickCountsAsTwoPresses()
    {
        space();
        QTest::mouseDClick(&surface(), Qt::LeftButton, {}, rightHalf());
        QCOMPARE(text("LeftNumber"), QStringLiteral("2"));
    }

    void ticksShownInTheDisplays_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("stopwatch");
        QTest::newRow("one") << 1 << "0.2";
        QTest::newRow("five") << 5 << "1";
        QTest::newRow("sixty-two") << 62 << "12.4";
    }
    void ticksShownInTheDisplays()
    {
        QFETCH(int, ticks);
        QFETCH(QString, stopwatch);
        space();
        m_harness.tick(ticks);
        QCOMPARE(text("Label1"), stopwatch);
        QCOMPARE(text("Clock"), QStringLiteral("time(s)")); // nothing held
    }

    void noTickWhilePaused()
    {
        space();
        m_harness.tick(2);
        space();
        m_harness.tick(3);
        QCOMPARE(text("Label1"), QStringLiteral("0.4"));
    }

    void pauseShowsTheResults()
    {
        space();
        QTest::mousePress(&surface(), Qt::LeftButton, {}, rightHalf());
        m_harness.tick(5);
        QTest::mouseRelease(&surface(), Qt::LeftButton, {}, rightHalf());
        space();
        for (const char *name : {"Label18", "Shape4", "Label8", "Label10", "Label5", "Shape3",
                                 "AvgSpeechInterval", "Shape5", "Label19", "Label21"})
            QVERIFY2(m_harness.control(name)->isVisible(), name);
        QCOMPARE(text("Label5"), QStringLiteral("100.0 %"));
        QCOMPARE(text("AvgSpeechInterval"), QStringLiteral("1.00 "));
        QCOMPARE(text("AvgClutteringInterval"), QStringLiteral("  n/a "));
        space();
        QVERIFY(!m_harness.control("Label18")->isVisible());
        QVERIFY(!m_harness.control("Label5")->isVisible());
    }

    void resetByMouseThenSpaceStartsAgain()
    {
        space();
        mark(Qt::LeftButton, rightHalf(), 4);
        space();
        auto *reset = m_harness.control<DesignButton>("Command2");
        QVERIFY(reset->isVisible());
        QCOMPARE(reset->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(&surface(), Qt::LeftButton, {}, at(1000, 1800)); // on RESET
        QCOMPARE(form().engine().state(), SessionEngine::State::Ready);
        QVERIFY(!reset->isVisible());
        QCOMPARE(text("LeftNumber"), QStringLiteral("#"));
        QCOMPARE(text("Label1"), QStringLiteral("time(s)"));
        QCOMPARE(QApplication::focusWidget(), startButton());
        space();
        QVERIFY(running());
        QCOMPARE(text("LeftNumber"), QStringLiteral(" 0"));
        m_harness.tick();
        QCOMPARE(text("Label1"), QStringLiteral("0.2"));
    }

    void startButtonClickedWithTheMouseKeepsTheFocus()
    {
        QTest::mouseClick(&surface(), Qt::LeftButton, {}, at(3000, 2800));
        QCOMPARE(QApplication::focusWidget(), startButton());
        QCOMPARE(form().engine().state(), SessionEngine::State::Ready);
        space();
        QVERIFY(running());
    }

    void focusReturnsWhenTheWindowIsActiveAgain()
    {
        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        startButton()->clearFocus();
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        QCOMPARE(QApplication::focusWidget(), startButton());
    }

    void pointerInEachState()
    {
        QCOMPARE(pointerShape(), Qt::ArrowCursor);
        space();
        QCOMPARE(pointerShape(), Qt::BitmapCursor);
        QCOMPARE(surface().cursor().pixmap().size(), QSize(32, 32));
        QCOMPARE(QColor(surface().cursor().pixmap().toImage().pixel(0, 0)), QColor(0, 255, 255));
        // Controls show the same pointer as the client area.
        QCOMPARE(m_harness.control("Label1")->cursor().shape(), Qt::BitmapCursor);
        space();
        QCOMPARE(pointerShape(), Qt::ArrowCursor);
        QTest::mouseClick(&surface(), Qt::LeftButton, {}, at(1000, 1800));
        QCOMPARE(pointerShape(), Qt::ArrowCursor);
    }

    void closingStopsTheTicks()
    {
        space();
        form().close();
        QVERIFY(!form().timer().isEnabled());
    }
};

QTEST_MAIN(TestForm1Session)
#include "test_form1_session.moc"
