#include "CupsSandbox.h"
#include "ModalDriver.h"
#include "ReportReadBack.h"

#include "common/ClassicLook.h"
#include "common/FontSubstitutes.h"
#include "reports/PdfFileChooser.h"
#include "reports/PrintCommands.h"
#include "reports/ReportDelivery.h"

#include "session/Form1.h"
#include "session/Form1Surface.h"
#include "session/WindowNavigator.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>

using readback::row;

// File > Print of the main window, end to end: the command, its message boxes answered as a user
// would, a private CUPS scheduler with a default raw queue, and the job's PDF read back with
// pdftotext. Also every way printing can fail, each ending in a message with nothing sent and
// the session untouched, and a printer that takes the job but cannot print it now.
class TestPrintSessionE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void printsTheWorkedExampleWithEveryColumnInPlace();
    void readsTheSessionAfterThePromptIsDismissed();
    void emptySessionShowsOnlyNoData_data();
    void emptySessionShowsOnlyNoData();
    void printingTwiceGivesTwoIdenticalJobs();
    void printerNotReady_data();
    void printerNotReady();
    void noPrinterDeclinedSendsNothing();
    void noPrinterSavesTheSameReportAsPdf();
    void savingToAnUnwritableFolderSaysWhy();
    void schedulerDownShowsAMessage();
    void printersWithoutADefaultPrintNowhere_data();
    void printersWithoutADefaultPrintNowhere();
    void printerReportingReasons_data();
    void printerReportingReasons();
    void silentServiceIsToldWhileTheSessionCounts();
    void slowServiceWithinTheBoundPrints();

private:
    // Runs File > Print on a copy of `fields`, counting the readings.
    void print(const SessionFields &fields);
    void requireNothingSent(int jobFilesBefore, int jobsBefore);

    static constexpr const char *queue = "tallymere_test";
    QStringList m_extraQueues; // queues a case added beside `queue`; cleanup removes them
    std::unique_ptr<CupsSandbox> m_cups;
    std::unique_ptr<ModalDriver> m_user;
    SessionFields m_session;
    int m_readings = 0;
    QStringList m_textsAtReading;
};

namespace {

SessionFields workedExample()
{
    SessionFields fields;
    fields.sampleTicks = 62;
    fields.talkTicks = 31;
    fields.clutterTicks = 6;
    fields.talkCount = 2;
    fields.clutterCount = 1;
    fields.talkDown = false;
    return fields;
}

QStringList workedExampleRows()
{
    const QString equals(58, QLatin1Char('='));
    return {
        row({{10, equals}}),
        row({{10, "RESULTS of the Tallymere"}}),
        row({{10, equals}}),
        row({{10, "Measure:"}, {57, "Value:"}}),
        row({{10, QString(33, '_')}, {57, QString(16, '_')}}),
        row({{10, "Total sample duration :"}, {57, " 12.4  s."}}),
        row({{13, "- Percentage silences/pauses :"}, {57, "50.0 %"}}),
        row({{13, "- Percentage (all) talking time :"}, {57, "50.0 %"}}),
        row({{10, "Total talking time :"}, {57, " 6.2  s."}, {67, "(n= 2 )"}}),
        row({{13, "- Percentage clutter-free talking time :"}, {57, "80.6 %"}}),
        row({{13, "- Percentage talking time cluttered :"}, {57, "19.4 %"}}),
        row({{10, "Total cluttering time :"}, {57, " 1.2  s."}, {67, "(n= 1 )"}}),
        row({{10, "Percentage sample duration cluttered :"}, {57, "9.7 %"}}),
        row({{10, "Mean interval duration talking time :"}, {57, "3.10  s."}}),
        row({{10, "Mean interval duration cluttering time :"}, {57, "1.20  s."}}),
        row({{10, "Cluttering intervals/min (sample duration) :"}, {57, "4.84"}}),
        row({{10, "Cluttering intervals/min (talking time) :"}, {57, "9.68"}}),
        row({{10, QString(59, '_')}}),
    };
}

QStringList readBack(const QString &pdf)
{
    return readback::rows(CupsSandbox::pdfText(pdf), QStringLiteral("RESULTS of the Tallymere"),
                          10);
}

// The page the printer received: six empty lines above the title, below the top margin, and
// no word running into the right margin.
void checkPlacement(const QString &pdf, double rightmostText)
{
    const readback::Page page = readback::boxes(CupsSandbox::pdfText(pdf, {"-bbox"}));
    QVERIFY(page.words.size() > 10);
    QCOMPARE(qRound(page.width), 595); // the raw queue names no paper: A4 in this locale
    QCOMPARE(qRound(page.height), 842);
    const double margin = 6.35 / 25.4 * 72;
    double nextRow = page.height;
    double right = 0;
    for (const readback::Word &word : page.words) {
        if (word.yMin > page.words.first().yMin + 1)
            nextRow = std::min(nextRow, word.yMin);
        right = std::max(right, word.xMax);
    }
    const double lineHeight = nextRow - page.words.first().yMin;
    QVERIFY(lineHeight > 12 && lineHeight < 16);
    QVERIFY(qAbs((page.words.first().yMin - margin) / lineHeight - 6) < 0.05);
    QVERIFY(page.words.first().xMin >= margin + 9 * 7.2 - 0.5);
    QVERIFY(qAbs(right - (margin + rightmostText * 7.2)) < 0.5);
    QVERIFY(right < page.width - margin);
}

void compareRows(const QStringList &actual, const QStringList &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(actual.at(i), readback::trimmedRight(expected.at(i)));
}

} // namespace

void TestPrintSessionE2E::initTestCase()
{
    classiclook::apply();
    fonts::registerSubstitutes();
    m_cups = std::make_unique<CupsSandbox>();
    QString error;
    if (!m_cups->startWithDefaultQueue(queue, &error))
        QFAIL(qPrintable(error));
}

void TestPrintSessionE2E::init()
{
    m_user = std::make_unique<ModalDriver>();
    m_session = workedExample();
    m_readings = 0;
    m_textsAtReading.clear();
    pdffilechooser::set({});
}

void TestPrintSessionE2E::cleanup()
{
    pdffilechooser::set({});
    m_user.reset();
    // Whatever a case did to the print service, the next one finds it running with its queue.
    QString error;
    QVERIFY2(m_cups->restoreDefaultQueue(queue, &error), qPrintable(error));
    for (const QString &extra : std::exchange(m_extraQueues, {}))
        m_cups->removeQueue(extra, &error);
}

void TestPrintSessionE2E::cleanupTestCase() { m_cups.reset(); }

void TestPrintSessionE2E::print(const SessionFields &fields)
{
    m_session = fields;
    printcommands::printSession(nullptr, [this]() {
        ++m_readings;
        m_textsAtReading = m_user->texts();
        return m_session;
    });
    // The report goes on its way after the command returns; its outcome is told later.
    QTRY_VERIFY_WITH_TIMEOUT(!ReportDelivery::instance().busy(), 20000);
}

void TestPrintSessionE2E::requireNothingSent(int jobFilesBefore, int jobsBefore)
{
    QTest::qWait(300); // time for a wrongly queued job to reach the backend
    QCOMPARE(m_cups->jobFiles().size(), jobFilesBefore);
    if (m_cups->isRunning())
        QCOMPARE(m_cups->jobCount(), jobsBefore);
}

void TestPrintSessionE2E::printsTheWorkedExampleWithEveryColumnInPlace()
{
    const int before = static_cast<int>(m_cups->jobFiles().size());
    print(workedExample());
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QCOMPARE(m_user->objectNames(), QStringList{"TallymereMessageBox"});
    const QString job = m_cups->waitForJobFiles(before + 1, 30000);
    QVERIFY2(!job.isEmpty(), qPrintable(m_cups->log()));
    QVERIFY(QFile(job).open(QIODevice::ReadOnly) && QFile(job).size() > 0);
    compareRows(readBack(job), workedExampleRows());
    checkPlacement(job, 73); // "(n= 2 )" ends at column 73
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::readsTheSessionAfterThePromptIsDismissed()
{
    const int before = static_cast<int>(m_cups->jobFiles().size());
    print(workedExample());
    QCOMPARE(m_readings, 2); // the empty-session check, then the one reading the report shows
    QCOMPARE(m_textsAtReading, QStringList{"Check if the printer is ready."});
    QVERIFY(!m_cups->waitForJobFiles(before + 1, 30000).isEmpty());
}

void TestPrintSessionE2E::emptySessionShowsOnlyNoData_data()
{
    QTest::addColumn<std::optional<qint32>>("sampleTicks");
    QTest::newRow("never started") << std::optional<qint32>();
    QTest::newRow("just reset") << std::optional<qint32>(0);
}

void TestPrintSessionE2E::emptySessionShowsOnlyNoData()
{
    QFETCH(std::optional<qint32>, sampleTicks);
    const int files = static_cast<int>(m_cups->jobFiles().size());
    const int jobs = m_cups->jobCount();
    SessionFields empty;
    empty.sampleTicks = sampleTicks;
    print(empty);
    QCOMPARE(m_user->texts(), QStringList{"No Data!"});
    QCOMPARE(m_readings, 1);
    requireNothingSent(files, jobs);
}

void TestPrintSessionE2E::printingTwiceGivesTwoIdenticalJobs()
{
    const int before = static_cast<int>(m_cups->jobFiles().size());
    print(workedExample());
    print(workedExample());
    QVERIFY(!m_cups->waitForJobFiles(before + 2, 30000).isEmpty());
    const QStringList files = m_cups->jobFiles();
    const QString first = CupsSandbox::pdfText(files.at(before));
    QVERIFY(!first.isEmpty());
    QCOMPARE(CupsSandbox::pdfText(files.at(before + 1)), first);
}

void TestPrintSessionE2E::printerNotReady_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("stopped") << "cupsdisable"
                             << QString("The printer \"%1\" is stopped. Start it and print again; "
                                        "nothing was printed.")
                                    .arg(queue);
    QTest::newRow("rejecting jobs")
        << "cupsreject"
        << QString("The printer \"%1\" is not accepting jobs. Nothing was printed.").arg(queue);
}

void TestPrintSessionE2E::printerNotReady()
{
    QFETCH(QString, command);
    QFETCH(QString, message);
    QVERIFY(m_cups->run(command, {queue}));
    const int files = static_cast<int>(m_cups->jobFiles().size());
    const int jobs = m_cups->jobCount();
    print(workedExample());
    QCOMPARE(m_user->texts(), (QStringList{"Check if the printer is ready.", message}));
    requireNothingSent(files, jobs);
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::noPrinterDeclinedSendsNothing()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    bool asked = false;
    pdffilechooser::set([&asked](QWidget *, const QString &) {
        asked = true;
        return QString();
    });
    const int files = static_cast<int>(m_cups->jobFiles().size());
    m_user->answerNextQuestion(QMessageBox::No);
    print(workedExample());
    QCOMPARE(m_user->texts(),
             (QStringList{"Check if the printer is ready.",
                          "No printer is installed, so the report cannot be printed.\n\n"
                          "Save the report as a PDF file instead?"}));
    QCOMPARE(m_user->objectNames().last(), QStringLiteral("TallymereQuestion"));
    QVERIFY(!asked);
    requireNothingSent(files, 0);
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::noPrinterSavesTheSameReportAsPdf()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("session.pdf"));
    QString suggested;
    pdffilechooser::set([&](QWidget *, const QString &proposal) {
        suggested = proposal;
        return target;
    });
    m_user->answerNextQuestion(QMessageBox::Yes);
    print(workedExample());
    QVERIFY(suggested.endsWith(QLatin1String(".pdf")));
    QCOMPARE(m_user->texts().size(), 3);
    QCOMPARE(m_user->texts().last(), QString("The report was saved as:\n") + target);
    compareRows(readBack(target), workedExampleRows());
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::savingToAnUnwritableFolderSaysWhy()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    const QString target = QStringLiteral("/nonexistent-folder/tallymere/session.pdf");
    pdffilechooser::set([&](QWidget *, const QString &) { return target; });
    m_user->answerNextQuestion(QMessageBox::Yes);
    print(workedExample());
    QCOMPARE(m_user->texts().size(), 3);
    QVERIFY2(
        m_user->texts().last().startsWith("The report could not be saved to " + target + ". ("),
        qPrintable(m_user->texts().last()));
    QVERIFY(!QFile::exists(target));
}

void TestPrintSessionE2E::schedulerDownShowsAMessage()
{
    const int files = static_cast<int>(m_cups->jobFiles().size());
    m_cups->stop();
    m_user->answerNextQuestion(QMessageBox::No);
    print(workedExample());
    QCOMPARE(m_user->texts(),
             (QStringList{"Check if the printer is ready.",
                          "The local print service is not running, so the report cannot be "
                          "printed.\n\nSave the report as a PDF file instead?"}));
    requireNothingSent(files, 0);
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::printersWithoutADefaultPrintNowhere_data()
{
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<QString>("message");
    QTest::newRow("one printer")
        << QStringList{}
        << QString("The printer \"%1\" is installed but is not the default printer, so the "
                   "report cannot be printed. Make it the default in the system's printer "
                   "settings, or with the command: lpoptions -d %1")
               .arg(queue);
    QTest::newRow("two printers")
        << QStringList{"tallymere_lab"}
        << QString("Printers are installed (tallymere_lab, %1) but none is the default printer, "
                   "so the report cannot be printed. Make one the default in the system's "
                   "printer settings, or with the command: lpoptions -d NAME")
               .arg(queue);
}

void TestPrintSessionE2E::printersWithoutADefaultPrintNowhere()
{
    QFETCH(QStringList, others);
    QFETCH(QString, message);
    QString error;
    // Removing the default queue leaves the scheduler without a default; added back, it is not.
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    m_extraQueues = others;
    for (const QString &name : others + QStringList{queue})
        QVERIFY2(m_cups->addQueue(name, &error), qPrintable(error));
    const int files = static_cast<int>(m_cups->jobFiles().size());
    const int jobs = m_cups->jobCount();
    m_user->answerNextQuestion(QMessageBox::No);
    print(workedExample());
    QCOMPARE(m_user->texts(),
             (QStringList{"Check if the printer is ready.",
                          message + "\n\nSave the report as a PDF file instead?"}));
    requireNothingSent(files, jobs);
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::printerReportingReasons_data()
{
    QTest::addColumn<QString>("reasons");
    QTest::addColumn<QString>("why"); // empty: the report prints
    QTest::newRow("out of paper") << "media-empty-error"
                                  << "the printer reports it is out of paper";
    QTest::newRow("offline, door warning") << "offline-report,door-open-warning"
                                           << "the printer reports it is offline";
    QTest::newRow("printing with a warning") << "door-open-warning" << QString();
}

// A printer that reports reasons: the job waits in its queue and the message says why, or it
// prints despite a warning and nothing is said.
void TestPrintSessionE2E::printerReportingReasons()
{
    QFETCH(QString, reasons);
    QFETCH(QString, why);
    const QString stuck = QStringLiteral("tallymere_stuck");
    m_extraQueues = QStringList{stuck};
    QString error;
    QVERIFY2(m_cups->addDefaultQueueReporting(stuck, reasons, &error, why.isEmpty()),
             qPrintable(error));
    const QList<int> before = m_cups->queuedJobs(stuck);
    const int files = static_cast<int>(m_cups->jobFiles().size());
    print(workedExample());
    QCOMPARE(m_session, workedExample());
    if (why.isEmpty()) {
        QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
        QVERIFY(!m_cups->waitForJobFiles(files + 1, 30000).isEmpty());
        return;
    }
    const QList<int> after = m_cups->queuedJobs(stuck);
    QCOMPARE(after.size(), before.size() + 1); // accepted, and still in the queue
    QCOMPARE(m_user->texts(),
             (QStringList{"Check if the printer is ready.",
                          QString("The report is waiting in the print queue of the printer "
                                  "\"%1\" (job %2): %3. It will print when the printer is ready.")
                              .arg(stuck)
                              .arg(after.last())
                              .arg(why)}));
    QCOMPARE(m_cups->jobFiles().size(), files);
}

// A print service that takes the connection and never answers, as a hung print server does:
// the message comes within the bound and names it, while the session goes on counting and a
// hold made meanwhile counts at its length.
void TestPrintSessionE2E::silentServiceIsToldWhileTheSessionCounts()
{
    QTcpServer silent; // the kernel completes every connection; nothing is ever read or sent
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    const QByteArray sandbox = qgetenv("CUPS_SERVER");
    const QString service = QStringLiteral("127.0.0.1:%1").arg(silent.serverPort());
    qputenv("CUPS_SERVER", service.toUtf8());
    WindowNavigator navigator;
    Form1 window(navigator);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(window.control(QStringLiteral("Command1")), Qt::Key_Space);
    QTest::qWait(400);
    window.findChild<QAction *>(QStringLiteral("MnuFilPrint"))->trigger();
    QElapsedTimer attempt;
    attempt.start();
    const qint32 ticksAtPrompt = window.engine().fields().sampleTicks.value_or(0);
    QTest::qWait(500);
    const QPoint background(200, 500);
    QTest::mousePress(&window.surface(), Qt::LeftButton, {}, background);
    QTest::qWait(2000);
    QTest::mouseRelease(&window.surface(), Qt::LeftButton, {}, background);
    window.findChild<QAction *>(QStringLiteral("MnuFilPrint"))->trigger(); // only the note says
    QVERIFY(window.findChild<QLabel *>("PrintingNoteText")->text().contains("one report"));
    QTRY_VERIFY_WITH_TIMEOUT(!ReportDelivery::instance().busy(), 20000);
    const qint64 waited = attempt.elapsed();
    qputenv("CUPS_SERVER", sandbox);
    QVERIFY2(waited < 12000, qPrintable(QString::number(waited)));
    QCOMPARE(m_user->texts(),
             (QStringList{"Check if the printer is ready.",
                          "The print service at " + service +
                              " did not answer within 10 seconds, so the report was not "
                              "printed.\n\nSave the report as a PDF file instead?"}));
    const SessionFields fields = window.engine().fields();
    QVERIFY(fields.sampleTicks.value_or(0) - ticksAtPrompt >= 30); // about 50 during the attempt
    QCOMPARE(fields.talkCount.value_or(0), 1);
    const qint32 held = fields.talkTicks.value_or(0); // 2 s: 10 ticks
    QVERIFY2(qAbs(held - 10) <= 3, qPrintable(QString::number(held)));
}

// A print service that answers only after a few seconds, within the bound: the report prints.
void TestPrintSessionE2E::slowServiceWithinTheBoundPrints()
{
    QTcpServer front; // forwards to the private scheduler, silent for the first 3 s
    QVERIFY(front.listen(QHostAddress::LocalHost));
    connect(&front, &QTcpServer::newConnection, &front, [this, &front]() {
        QTcpSocket *client = front.nextPendingConnection();
        auto *cups = new QLocalSocket(client);
        cups->connectToServer(m_cups->socketPath());
        cups->waitForConnected(5000);
        const QDeadlineTimer wakes(3000);
        const auto held = std::make_shared<QByteArray>();
        connect(client, &QTcpSocket::readyRead, cups, [=]() { cups->write(client->readAll()); });
        connect(cups, &QLocalSocket::readyRead, client, [=]() {
            held->append(cups->readAll());
            QTimer::singleShot(wakes.remainingTime(), client,
                               [=]() { client->write(std::exchange(*held, {})); });
        });
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    });
    const QByteArray sandbox = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(front.serverPort()).toUtf8());
    const int before = static_cast<int>(m_cups->jobFiles().size());
    print(workedExample());
    qputenv("CUPS_SERVER", sandbox);
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QVERIFY(!m_cups->waitForJobFiles(before + 1, 30000).isEmpty());
}

QTEST_MAIN(TestPrintSessionE2E)
#include "test_print_session_e2e.moc"
