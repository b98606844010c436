// The program ends when its last window closes, and not before: run inside the real event loop
// with quit-on-last-window-closed on, as the program runs.
#include "NavigatorFixture.h"

#include "startup/WindowNavigator.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <vector>

namespace {

// Runs the steps one after another inside QApplication::exec, 50 ms apart, and records when
// the application announces its last window closed. Returns exec's result, or -1 if the program
// was still running 10 s after the last step.
int runSteps(const std::vector<std::function<void()>> &steps, QStringList &events)
{
    QObject context;
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &context,
                     [&events] { events << QStringLiteral("last window closed"); });
    int delay = 0;
    for (const auto &step : steps) {
        delay += 50;
        QTimer::singleShot(delay, &context, step);
    }
    QTimer::singleShot(delay + 10000, &context, [] { QCoreApplication::exit(-1); });
    return QApplication::exec();
}

} // namespace

class ProgramLifetimeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exitWithRatingWindowOpenRunsUntilItCloses();
    void exitWithoutRatingWindowEndsAtOnce();
    void informationWindowKeepsProgramAfterMainCloseBox();
};

void ProgramLifetimeTest::initTestCase()
{
    classiclook::apply();
    fonts::registerSubstitutes();
    QApplication::setQuitOnLastWindowClosed(true);
}

void ProgramLifetimeTest::exitWithRatingWindowOpenRunsUntilItCloses()
{
    QStringList events;
    QPointer<StandInMainWindow> main = new StandInMainWindow;
    QPointer<QWidget> ratings;
    const int result =
        runSteps({[&] {
                      main->show();
                      main->navigator()->openRatings();
                      main->navigator()->openSpecifications();
                      main->navigator()->openAbout();
                      ratings = main->navigator()->ratingsWindow();
                  },
                  [&] {
                      main->navigator()->exitFromMain(main);
                      events << QStringLiteral("exit");
                  },
                  [&] {
                      events << (ratings && ratings->isVisible() ? "rating window open"
                                                                 : "rating window gone");
                  },
                  [&] {
                      events << QStringLiteral("close rating window");
                      ratings->close();
                  }},
                 events);
    QCOMPARE(result, 0);
    QCOMPARE(events, QStringList({"exit", "rating window open", "close rating window",
                                  "last window closed"}));
    QVERIFY(!main);
}

void ProgramLifetimeTest::exitWithoutRatingWindowEndsAtOnce()
{
    QStringList events;
    QPointer<StandInMainWindow> main = new StandInMainWindow;
    const int result = runSteps({[&] {
                                     main->show();
                                     main->navigator()->openSpecifications();
                                     main->navigator()->openAbout();
                                 },
                                 [&] {
                                     events << QStringLiteral("exit");
                                     main->navigator()->exitFromMain(main);
                                 },
                                 [&] { events << QStringLiteral("still running"); }},
                                events);
    QCOMPARE(result, 0);
    QCOMPARE(events, QStringList({"exit", "last window closed"}));
}

void ProgramLifetimeTest::informationWindowKeepsProgramAfterMainCloseBox()
{
    QStringList events;
    QPointer<StandInMainWindow> main = new StandInMainWindow;
    QPointer<QWidget> about;
    const int result = runSteps({[&] {
                                     main->show();
                                     main->navigator()->openAbout();
                                     about = main->navigator()->aboutWindow();
                                 },
                                 [&] {
                                     events << QStringLiteral("close main");
                                     main->close();
                                 },
                                 [&] {
                                     events << (about ? "about open" : "about gone");
                                     QTest::keyClick(about, Qt::Key_Return);
                                 }},
                                events);
    QCOMPARE(result, 0);
    QCOMPARE(events, QStringList({"close main", "about open", "last window closed"}));
}

QTEST_MAIN(ProgramLifetimeTest)
#include "test_program_lifetime.moc"
