// Navigation between the program's windows, with real mouse and key events offscreen: one
// instance of each window, the rating window keeping its ratings and state, and Exit.
#include "NavigatorFixture.h"

#include "startup/WindowNavigator.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "windows/about/frmAbout.h"
#include "windows/dialog/Dialog.h"
#include "windows/ratings/RatingBar.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QtTest>

namespace {

int visibleWindowsNamed(const QString &name)
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible())
            ++count;
    }
    return count;
}

RatingBar *bar(QWidget *ratings, const char *name)
{
    return ratings->findChild<RatingBar *>(QString::fromLatin1(name));
}

// A left press at pixel x of a bar's drawing area.
void pressBar(RatingBar *scale, int x)
{
    const QPoint at = scale->drawingArea().topLeft() + QPoint(x, 10);
    QTest::mousePress(scale, Qt::LeftButton, {}, at);
    QTest::mouseRelease(scale, Qt::LeftButton, {}, at);
}

using Open = void (WindowNavigator::*)();
using Window = QWidget *(WindowNavigator::*)() const;

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void openingTwiceLeavesOneWindow_data();
    void openingTwiceLeavesOneWindow();
    void openingBringsToFront_data();
    void openingBringsToFront();
    void reopeningWhileOpenKeepsRatingWindowState();
    void closingAndReopeningKeepsRatings();
    void windowsAreNotChildrenOfMain();
    void exitClosesAllButRatingWindow();
    void closeBoxOfMainClosesOnlyMain();
};

void NavigationTest::initTestCase()
{
    classiclook::apply();
    fonts::registerSubstitutes();
    QApplication::setQuitOnLastWindowClosed(false);
}

void NavigationTest::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    QTest::qWait(10);
}

void NavigationTest::openingTwiceLeavesOneWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<void *>("open");
    QTest::addColumn<void *>("window");
    // Member pointers travel through the data table boxed.
    static const Open opens[] = {&WindowNavigator::openRatings,
                                 &WindowNavigator::openSpecifications, &WindowNavigator::openAbout};
    static const Window windows[] = {&WindowNavigator::ratingsWindow,
                                     &WindowNavigator::specificationsWindow,
                                     &WindowNavigator::aboutWindow};
    const char *names[] = {"CluttteringScalesForm", "Dialog", "frmAbout"};
    for (int i = 0; i < 3; ++i) {
        QTest::newRow(names[i]) << QString::fromLatin1(names[i]) << (void *)&opens[i]
                                << (void *)&windows[i];
    }
}

void NavigationTest::openingTwiceLeavesOneWindow()
{
    QFETCH(QString, name);
    QFETCH(void *, open);
    QFETCH(void *, window);
    WindowNavigator program; // held for the whole run, as main() holds it
    StandInMainWindow main(program);
    WindowNavigator *navigator = main.navigator();
    main.show();
    QCOMPARE((navigator->*(*static_cast<Window *>(window)))(), nullptr);
    (navigator->*(*static_cast<Open *>(open)))();
    QPointer<QWidget> first = (navigator->*(*static_cast<Window *>(window)))();
    QVERIFY(first);
    QCOMPARE(first->objectName(), name);
    (navigator->*(*static_cast<Open *>(open)))();
    QCOMPARE((navigator->*(*static_cast<Window *>(window)))(), first.data());
    QCOMPARE(visibleWindowsNamed(name), 1);
    QVERIFY(main.isVisible()); // modeless: the main window stays
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void NavigationTest::openingBringsToFront_data() { openingTwiceLeavesOneWindow_data(); }

void NavigationTest::openingBringsToFront()
{
    QFETCH(QString, name);
    QFETCH(void *, open);
    QFETCH(void *, window);
    WindowNavigator program; // held for the whole run, as main() holds it
    StandInMainWindow main(program);
    WindowNavigator *navigator = main.navigator();
    main.show();
    (navigator->*(*static_cast<Open *>(open)))();
    QWidget *opened = (navigator->*(*static_cast<Window *>(window)))();
    QVERIFY(QTest::qWaitForWindowActive(opened));
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    (navigator->*(*static_cast<Open *>(open)))();
    QVERIFY(QTest::qWaitForWindowActive(opened));
}

void NavigationTest::reopeningWhileOpenKeepsRatingWindowState()
{
    WindowNavigator program; // held for the whole run, as main() holds it
    StandInMainWindow main(program);
    main.show();
    WindowNavigator *navigator = main.navigator();
    navigator->openRatings();
    QWidget *ratings = navigator->ratingsWindow();
    QVERIFY(QTest::qWaitForWindowExposed(ratings));
    pressBar(bar(ratings, "DisfluencyScale"), 389);
    auto *score = ratings->findChild<QLabel *>(QStringLiteral("DisfluencyScore"));
    const QString shown = score->text();
    QVERIFY(!shown.contains(QStringLiteral("None")));
    ratings->findChild<QAction *>(QStringLiteral("MnuHideNumbersHide"))->trigger();
    QVERIFY(score->isHidden());

    navigator->openRatings();
    QCOMPARE(navigator->ratingsWindow(), ratings);
    QVERIFY(score->isHidden());
    QCOMPARE(score->text(), shown);
    QCOMPARE(bar(ratings, "DisfluencyScale")->lines().size(), 2); // its mark is still there
}

void NavigationTest::closingAndReopeningKeepsRatings()
{
    WindowNavigator program; // held for the whole run, as main() holds it
    StandInMainWindow main(program);
    main.show();
    WindowNavigator *navigator = main.navigator();
    navigator->openRatings();
    QPointer<QWidget> ratings = navigator->ratingsWindow();
    QVERIFY(QTest::qWaitForWindowExposed(ratings));
    pressBar(bar(ratings, "NaturalnessScale"), 100);
    ratings->close();
    QTRY_VERIFY(!ratings);
    QCOMPARE(navigator->ratingsWindow(), nullptr);

    navigator->openRatings();
    ratings = navigator->ratingsWindow();
    QVERIFY(QTest::qWaitForWindowExposed(ratings));
    // A fresh window shows the kept rating: its mark and scores; a scale never rated is blank.
    RatingBar *naturalness = bar(ratings, "NaturalnessScale");
    QCOMPARE(naturalness->lines().size(), 1);
    QCOMPARE(naturalness->lines().at(0).line.x1(), 100.0);
    QCOMPARE(ratings->findChild<QLabel *>(QStringLiteral("NaturalnessScore"))->text(),
             QStringLiteral("12.9 %"));
    QVERIFY(bar(ratings, "DisfluencyScale")->lines().isEmpty());
    QCOMPARE(ratings->findChild<QLabel *>(QStringLiteral("DisfluencyScore"))->text(),
             QStringLiteral(" None"));
    // The first press paints over the kept mark, at 100, then marks 300.
    pressBar(naturalness, 300);
    QCOMPARE(naturalness->lines().size(), 2);
    QCOMPARE(naturalness->lines().at(0).line.x1(), 100.0);
    QCOMPARE(naturalness->lines().at(1).line.x1(), 300.0);
}

void NavigationTest::windowsAreNotChildrenOfMain()
{
    WindowNavigator program; // held for the whole run, as main() holds it
    StandInMainWindow main(program);
    main.show();
    WindowNavigator *navigator = main.navigator();
    navigator->openRatings();
    navigator->openSpecifications();
    navigator->openAbout();
    for (QWidget *window : {navigator->ratingsWindow(), navigator->specificationsWindow(),
                            navigator->aboutWindow()}) {
        QVERIFY(window->isWindow());
        QCOMPARE(window->parent(), nullptr);
        QVERIFY(window->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    }
}

void NavigationTest::exitClosesAllButRatingWindow()
{
    WindowNavigator program;
    QPointer<StandInMainWindow> main = new StandInMainWindow(program);
    main->show();
    QPointer<WindowNavigator> navigator = main->navigator();
    navigator->openRatings();
    navigator->openSpecifications();
    navigator->openAbout();
    QPointer<QWidget> ratings = navigator->ratingsWindow();
    QPointer<QWidget> specificationsDialog = navigator->specificationsWindow();
    QPointer<QWidget> about = navigator->aboutWindow();
    QVERIFY(QTest::qWaitForWindowExposed(ratings));

    navigator->exitFromMain(main);
    QTRY_VERIFY(!main && !specificationsDialog && !about);
    QVERIFY(navigator); // it outlives the main window, as in main()
    QVERIFY(ratings && ratings->isVisible());
    // The rating window works on, on the navigator's ratings.
    RatingBar *rate = bar(ratings, "SpeakingRateScale");
    pressBar(rate, 778);
    pressBar(rate, 0);
    // The second press paints over the rating the first one stored: the fields are alive.
    QCOMPARE(rate->lines().size(), 2);
    QCOMPARE(rate->lines().at(0).line.x1(), 778.0);
    QCOMPARE(rate->lines().at(1).line.x1(), 0.0);
    QCOMPARE(ratings->findChild<QLabel *>(QStringLiteral("SpeakingRateScore"))->text(),
             QStringLiteral(".0 %"));
    ratings->close();
    QTRY_VERIFY(!ratings);
}

void NavigationTest::closeBoxOfMainClosesOnlyMain()
{
    WindowNavigator program;
    QPointer<StandInMainWindow> main = new StandInMainWindow(program);
    main->show();
    WindowNavigator *navigator = main->navigator();
    navigator->openSpecifications();
    navigator->openAbout();
    QPointer<QWidget> specificationsDialog = navigator->specificationsWindow();
    QPointer<QWidget> about = navigator->aboutWindow();
    main->close();
    QTRY_VERIFY(!main);
    QVERIFY(specificationsDialog && specificationsDialog->isVisible());
    QVERIFY(about && about->isVisible());
    QTest::keyClick(about, Qt::Key_Escape);
    QTRY_VERIFY(!about);
    QTest::keyClick(specificationsDialog->findChild<QWidget *>(QStringLiteral("OKButton")),
                    Qt::Key_Space);
    QTRY_VERIFY(!specificationsDialog);
}

QTEST_MAIN(NavigationTest)
#include "test_navigation.moc"
