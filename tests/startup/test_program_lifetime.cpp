// The program ends when its last window closes, and not before: run inside the real event loop
// with quit-on-last-window-closed on, as the program runs.
#include "NavigatorFixture.h"
#include "SilentNameServer.h"

#include "core/reports/ReportPage.h"
#include "startup/WindowNavigator.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

// The threads of this process with the name `name`.
int threadsNamed(const QByteArray &name)
{
    int count = 0;
    for (const QString &task :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name)
            ++count;
    }
    return count;
}

QStringList messages;

void recordMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    messages << message;
}

} // namespace

class ProgramLifetimeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exitWithRatingWindowOpenRunsUntilItCloses();
    void exitWithoutRatingWindowEndsAtOnce();
    void informationWindowKeepsProgramAfterMainCloseBox();
    void exitWhileALookupHangsEndsAtOnce();
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
    WindowNavigator program; // held for the whole run, as main() holds it
    QPointer<StandInMainWindow> main = new StandInMainWindow(program);
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
    WindowNavigator program; // held for the whole run, as main() holds it
    QPointer<StandInMainWindow> main = new StandInMainWindow(program);
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
    WindowNavigator program; // held for the whole run, as main() holds it
    QPointer<StandInMainWindow> main = new StandInMainWindow(program);
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

// File > Exit while a report's worker waits on a name server that never answers: the program ends
// within 2 s, saying nothing from then on, and no thread of it is left once the navigator, which
// holds the report delivery, has gone, before the application object, as in main().
void ProgramLifetimeTest::exitWhileALookupHangsEndsAtOnce()
{
    SilentNameServer names;
    QString error;
    QVERIFY2(names.start(&error), qPrintable(error));
    const QByteArray service = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", SilentNameServer::hostName());
    messages.clear();
    QtMessageHandler testHandler = nullptr;
    QStringList events;
    QElapsedTimer closing;
    int result = -1;
    {
        WindowNavigator program;
        QPointer<StandInMainWindow> main = new StandInMainWindow(program);
        result = runSteps({[&] {
                               main->show();
                               program.delivery().deliver(main, ReportPage(), RecordKind::Session);
                           },
                           [&] {
                               closing.start();
                               testHandler = qInstallMessageHandler(recordMessage);
                               program.exitFromMain(main);
                           }},
                          events);
    }
    const qint64 took = closing.elapsed();
    const int left = threadsNamed("print");
    qInstallMessageHandler(testHandler);
    qputenv("CUPS_SERVER", service);
    QCOMPARE(result, 0);
    QVERIFY2(took < 2000, qPrintable(QString::number(took)));
    QCOMPARE(left, 0);
    QCOMPARE(messages, QStringList());
}

QTEST_MAIN(ProgramLifetimeTest)
#include "test_program_lifetime.moc"
