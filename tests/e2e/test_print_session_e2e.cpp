#include "CupsSandbox.h"
#include "ModalDriver.h"
#include "ReportReadBack.h"
#include "SilentNameServer.h"
#include "TimelineReadBack.h"

#include "widgets/delivery/PrintCommands.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"

#include "core/reports/CsvTable.h"
#include "core/reports/RecordRow.h"
#include "core/reports/SaveOutcome.h"
#include "core/session/SessionEngine.h"
#include "windows/main/Form1.h"
#include "windows/main/Form1Surface.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>
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
// pdftotext. Also every way printing can fail, each told in the printing note with nothing sent
// and the session untouched, and a printer that takes the job but cannot print it now.
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
    void lateServiceIsToldAsTheQueueHasIt_data();
    void lateServiceIsToldAsTheQueueHasIt();
    void serviceAskingForASignInIsToldAtOnce();
    void serviceHostIsToldAsItIs_data();
    void serviceHostIsToldAsItIs();
    void serviceLostAtAnEdge_data();
    void serviceLostAtAnEdge();
    void keepsTheRecordThroughTheFileDialog_data();
    void keepsTheRecordThroughTheFileDialog();

private:
    // Runs File > Print on a copy of `fields`, counting the readings.
    void print(const SessionFields &fields);
    void requireNothingSent(int jobFilesBefore, int jobsBefore);

    static constexpr const char *queue = "tallymere_test";
    QStringList m_extraQueues; // queues a case added beside `queue`; cleanup removes them
    std::unique_ptr<CupsSandbox> m_cups;
    std::unique_ptr<ModalDriver> m_user;
    std::unique_ptr<ReportDelivery> m_delivery;
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

// Where a case loses the print service.
enum class Edge {
    LookupHangs,          // its name server never answers
    DroppedAfterDocument, // the whole document went through; the reply never comes back
    StateUnreadable,      // the document's reply came back; nothing after it does
};

// Passes the conversation between the program and the private scheduler through `front` until the
// whole document has gone through, then loses the service at `edge`: the connection drops in place
// of the document's reply, or at the first request after it, and no connection is taken again.
void loseServiceAfterTheDocument(QTcpServer &front, const QString &socketPath, Edge edge)
{
    QObject::connect(&front, &QTcpServer::newConnection, &front, [&front, socketPath, edge]() {
        QTcpSocket *client = front.nextPendingConnection();
        auto *cups = new QLocalSocket(client);
        cups->connectToServer(socketPath);
        cups->waitForConnected(5000);
        const auto documentSent = std::make_shared<bool>(false);
        const auto replied = std::make_shared<bool>(false);
        const auto lose = [&front, client]() {
            front.close();
            client->abort();
        };
        QObject::connect(client, &QTcpSocket::readyRead, cups, [=]() {
            if (*replied)
                return lose();
            const QByteArray request = client->readAll();
            *documentSent = *documentSent || request.contains("%PDF-");
            cups->write(request);
        });
        QObject::connect(cups, &QLocalSocket::readyRead, client, [=]() {
            if (*documentSent && edge == Edge::DroppedAfterDocument)
                return lose();
            *replied = *documentSent;
            client->write(cups->readAll());
        });
        QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    });
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
    m_delivery = std::make_unique<ReportDelivery>();
    m_session = workedExample();
    m_readings = 0;
    m_textsAtReading.clear();
}

void TestPrintSessionE2E::cleanup()
{
    ModalDriver::closeNotes();
    m_delivery.reset();
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
    printcommands::printSession(*m_delivery, nullptr, [this]() {
        ++m_readings;
        m_textsAtReading = m_user->texts();
        return m_session;
    });
    // The report goes on its way after the command returns; its outcome is told later.
    QTRY_VERIFY_WITH_TIMEOUT(!m_delivery->busy(), 20000);
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
    // A printed report is not announced.
    QVERIFY2(ModalDriver::note() == nullptr, qPrintable(ModalDriver::noteText()));
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
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QCOMPARE(ModalDriver::noteText(), message);
    requireNothingSent(files, jobs);
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::noPrinterDeclinedSendsNothing()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    const int files = static_cast<int>(m_cups->jobFiles().size());
    print(workedExample());
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QCOMPARE(ModalDriver::noteText(),
             QString("No printer is installed, so the report cannot be printed."));
    QVERIFY(ModalDriver::clickNoteButton("PrintingNoteClose"));
    QVERIFY(ModalDriver::note() == nullptr);
    QVERIFY(m_user->proposedPaths().isEmpty());
    requireNothingSent(files, 0);
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::noPrinterSavesTheSameReportAsPdf()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("session.pdf"));
    m_user->saveNextFileAs(target);
    print(workedExample());
    QVERIFY(ModalDriver::clickNoteButton("PrintingNoteSave"));
    QCOMPARE(m_user->proposedPaths().size(), 1);
    QVERIFY(m_user->proposedPaths().first().endsWith(QLatin1String(".pdf")));
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QCOMPARE(ModalDriver::noteText(), "The session was saved as: " + target);
    compareRows(readBack(target), workedExampleRows());
    QCOMPARE(m_session, workedExample());
}

void TestPrintSessionE2E::savingToAnUnwritableFolderSaysWhy()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    const QString target = QStringLiteral("/nonexistent-folder/tallymere/session.pdf");
    m_user->saveNextFileAs(target);
    print(workedExample());
    QVERIFY(ModalDriver::clickNoteButton("PrintingNoteSave"));
    QCOMPARE(ModalDriver::noteText(), "The session could not be saved as " + target +
                                          ": the folder does not exist. Nothing was written.");
    QVERIFY(!QFile::exists(target));
}

void TestPrintSessionE2E::schedulerDownShowsAMessage()
{
    const int files = static_cast<int>(m_cups->jobFiles().size());
    m_cups->stop();
    print(workedExample());
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QCOMPARE(ModalDriver::noteText(), QString("The local print service is not running, so the "
                                              "report cannot be printed."));
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
    print(workedExample());
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QCOMPARE(ModalDriver::noteText(), message);
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
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    if (why.isEmpty()) {
        QVERIFY(ModalDriver::note() == nullptr);
        QVERIFY(!m_cups->waitForJobFiles(files + 1, 30000).isEmpty());
        return;
    }
    const QList<int> after = m_cups->queuedJobs(stuck);
    QCOMPARE(after.size(), before.size() + 1); // accepted, and still in the queue
    QCOMPARE(ModalDriver::noteText(),
             QString("The report is waiting in the print queue of the printer \"%1\" (job %2): "
                     "%3. It will print when the printer is ready.")
                 .arg(stuck)
                 .arg(after.last())
                 .arg(why));
    QCOMPARE(m_cups->jobFiles().size(), files);
}

// A print service that takes the connection and never answers, as a hung print server does: the
// note tells it within the bound and names it, while the session goes on counting. Nothing opens
// by itself: a hold pressed before the news and released after it counts once at its length, and
// the SPACE after it pauses the stopwatch.
void TestPrintSessionE2E::silentServiceIsToldWhileTheSessionCounts()
{
    QTcpServer silent; // the kernel completes every connection; nothing is ever read or sent
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    const QByteArray sandbox = qgetenv("CUPS_SERVER");
    const QString service = QStringLiteral("127.0.0.1:%1").arg(silent.serverPort());
    qputenv("CUPS_SERVER", service.toUtf8());
    ReportDelivery delivery;
    Form1 window(delivery);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *start = window.control(QStringLiteral("Command1"));
    QTest::keyClick(start, Qt::Key_Space);
    QTest::qWait(400);
    window.findChild<QAction *>(QStringLiteral("MnuFilPrint"))->trigger();
    QElapsedTimer attempt;
    attempt.start();
    const qint32 ticksAtPrompt = window.engine().fields().sampleTicks.value_or(0);
    QTest::qWait(500);
    const QPoint background(200, 500);
    QTest::mousePress(&window.surface(), Qt::LeftButton, {}, background);
    QElapsedTimer hold;
    hold.start();
    window.findChild<QAction *>(QStringLiteral("MnuFilPrint"))->trigger(); // only the note says
    QVERIFY(ModalDriver::noteText().contains("one report"));
    // A file's outcome told meanwhile is a message of its own: it neither replaces the report's
    // nor goes with it.
    SaveOutcome refused;
    refused.format = SaveOutcome::Format::Csv;
    refused.path = QStringLiteral("/media/stick/sessions.csv");
    refused.reason = QStringLiteral("the disk is full");
    delivery.tellSaved(&window, refused);
    QVERIFY(ModalDriver::noteTexts().first().contains("one report"));
    const QString told = "The print service at " + service +
                         " did not answer within 10 seconds, so the report was not printed.";
    const QStringList bothTold{told, refused.message()};
    QTRY_COMPARE_WITH_TIMEOUT(ModalDriver::noteTexts(), bothTold, 12000);
    const qint64 waited = attempt.elapsed();
    QTest::qWait(1000);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QTest::mouseRelease(&window.surface(), Qt::LeftButton, {}, background);
    const qint64 held = hold.elapsed();
    QTest::keyClick(start, Qt::Key_Space);
    const qint64 paused = attempt.elapsed();
    QTRY_VERIFY_WITH_TIMEOUT(!delivery.busy(), 5000);
    qputenv("CUPS_SERVER", sandbox);
    QVERIFY2(waited < 12000, qPrintable(QString::number(waited)));
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    QCOMPARE(window.engine().state(), SessionEngine::State::Paused);
    const SessionFields fields = window.engine().fields();
    const qint32 sampled = fields.sampleTicks.value_or(0) - ticksAtPrompt;
    QVERIFY2(qAbs(sampled - paused / 200) <= 3, qPrintable(QString::number(sampled)));
    QCOMPARE(fields.talkCount.value_or(0), 1);
    const qint32 talked = fields.talkTicks.value_or(0);
    QVERIFY2(qAbs(talked - held / 200) <= 3, qPrintable(QString::number(talked)));
}

void TestPrintSessionE2E::lateServiceIsToldAsTheQueueHasIt_data()
{
    QTest::addColumn<int>("firstAnswerMs");
    QTest::addColumn<bool>("mustPrint"); // else it may go either way, but told as it went
    QTest::newRow("answers after 3 s") << 3000 << true;
    QTest::newRow("answers just inside the bound, then briskly") << 9450 << false;
}

// A print service whose first answer comes late and every later one at once: what the user is
// told agrees with the queue. Printed, or "not printed" with no job for it, ever.
void TestPrintSessionE2E::lateServiceIsToldAsTheQueueHasIt()
{
    QFETCH(int, firstAnswerMs);
    QFETCH(bool, mustPrint);
    QTcpServer front; // forwards to the private scheduler, holding what comes back until then
    QVERIFY(front.listen(QHostAddress::LocalHost));
    QDeadlineTimer wakes;
    connect(&front, &QTcpServer::newConnection, &front, [&]() {
        QTcpSocket *client = front.nextPendingConnection();
        auto *cups = new QLocalSocket(client);
        cups->connectToServer(m_cups->socketPath());
        cups->waitForConnected(5000);
        if (wakes.isForever())
            wakes = QDeadlineTimer(firstAnswerMs);
        const auto held = std::make_shared<QByteArray>();
        connect(client, &QTcpSocket::readyRead, cups, [=]() { cups->write(client->readAll()); });
        connect(cups, &QLocalSocket::readyRead, client, [=, &wakes]() {
            held->append(cups->readAll());
            QTimer::singleShot(wakes.remainingTime(), client,
                               [=]() { client->write(std::exchange(*held, {})); });
        });
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    });
    wakes = QDeadlineTimer(QDeadlineTimer::Forever);
    const QByteArray sandbox = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(front.serverPort()).toUtf8());
    const int files = static_cast<int>(m_cups->jobFiles().size());
    const int jobs = m_cups->jobCount();
    print(workedExample());
    qputenv("CUPS_SERVER", sandbox);
    QCOMPARE(m_user->texts(), QStringList{"Check if the printer is ready."});
    if (mustPrint || ModalDriver::note() == nullptr) {
        QVERIFY2(ModalDriver::note() == nullptr, qPrintable(ModalDriver::noteText()));
        QVERIFY(!m_cups->waitForJobFiles(files + 1, 30000).isEmpty());
        return;
    }
    QVERIFY2(ModalDriver::noteText().endsWith("did not answer within 10 seconds, so the report "
                                              "was not printed."),
             qPrintable(ModalDriver::noteText()));
    QTest::qWait(3000); // a job made after the news would be queued by now
    requireNothingSent(files, jobs);
}

// A print service that takes jobs only from a signed-in user: the note says so at once, and
// what to do, with the PDF offer. Nothing asks for a password, on a terminal or anywhere.
void TestPrintSessionE2E::serviceAskingForASignInIsToldAtOnce()
{
    const QString guarded = QStringLiteral("tallymere_signin");
    m_extraQueues = QStringList{guarded};
    QString error;
    QVERIFY2(m_cups->addDefaultQueueAskingSignIn(guarded, &error), qPrintable(error));
    const QByteArray sandbox = qgetenv("CUPS_SERVER");
    const QString service = QStringLiteral("127.0.0.1:%1").arg(m_cups->tcpPort());
    qputenv("CUPS_SERVER", service.toUtf8());
    const int files = static_cast<int>(m_cups->jobFiles().size());
    const int jobs = m_cups->jobCount();
    QElapsedTimer attempt;
    attempt.start();
    print(workedExample());
    const qint64 waited = attempt.elapsed();
    qputenv("CUPS_SERVER", sandbox);
    QCOMPARE(ModalDriver::noteText(),
             "The print service at " + service +
                 " asks for a sign-in (a user name and password), which Tallymere cannot give, so "
                 "nothing was printed. Print on a printer that needs no sign-in (make it the "
                 "default printer), or save the report as a PDF file.");
    QVERIFY(ModalDriver::note()->findChild<QWidget *>("PrintingNoteSave")->isVisible());
    QVERIFY2(waited < 5000, qPrintable(QString::number(waited)));
    requireNothingSent(files, jobs);
}

void TestPrintSessionE2E::serviceHostIsToldAsItIs_data()
{
    QTest::addColumn<QString>("host"); // of CUPS_SERVER, with the private scheduler's port
    QTest::addColumn<bool>("withGetent");
    QTest::addColumn<QString>("told"); // empty: printed
    QTest::newRow("an IPv6 address in brackets") << "[::1]" << true << QString();
    QTest::newRow("a name that names no host")
        << "no-such-host.invalid" << true
        << "The print service's host \"no-such-host.invalid\" cannot be found, so the report "
           "cannot be printed. Check the print server's name (CUPS_SERVER or the print system's "
           "client settings).";
    QTest::newRow("no getent to look the name up")
        << "printhost.invalid" << false
        << "The print service's host \"printhost.invalid\" cannot be looked up, because the "
           "program getent (Debian package libc-bin) is missing, so the report cannot be printed.";
}

// What becomes of a report depends on the print service's host, and is told as it is: "not
// running" only ever for a refused connection.
void TestPrintSessionE2E::serviceHostIsToldAsItIs()
{
    QFETCH(QString, host);
    QFETCH(bool, withGetent);
    QFETCH(QString, told);
    const QByteArray sandbox = qgetenv("CUPS_SERVER");
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir noTools;
    qputenv("CUPS_SERVER", (host + ':' + QString::number(m_cups->tcpPort())).toUtf8());
    if (!withGetent)
        qputenv("PATH", noTools.path().toUtf8());
    const int files = static_cast<int>(m_cups->jobFiles().size());
    print(workedExample());
    qputenv("CUPS_SERVER", sandbox);
    qputenv("PATH", path);
    if (told.isEmpty()) {
        QVERIFY2(ModalDriver::note() == nullptr, qPrintable(ModalDriver::noteText()));
        QVERIFY(!m_cups->waitForJobFiles(files + 1, 30000).isEmpty());
        return;
    }
    QCOMPARE(ModalDriver::noteText(), told);
    QVERIFY(ModalDriver::note()->findChild<QWidget *>("PrintingNoteSave")->isVisible());
    requireNothingSent(files, m_cups->jobCount());
}

void TestPrintSessionE2E::serviceLostAtAnEdge_data()
{
    QTest::addColumn<Edge>("edge");
    QTest::newRow("a name lookup that hangs") << Edge::LookupHangs;
    QTest::newRow("dropped after the whole document") << Edge::DroppedAfterDocument;
    QTest::newRow("job state unreadable") << Edge::StateUnreadable;
}

// The print service lost at an edge of the conversation, told within the bound as it is: "not
// printed" where no job was made (and none ever can be), else that the report may still print.
// Either way the next Print is a fresh attempt, which prints.
void TestPrintSessionE2E::serviceLostAtAnEdge()
{
    QFETCH(Edge, edge);
    SilentNameServer names;
    QTcpServer front;
    QString error;
    QString service;
    if (edge == Edge::LookupHangs) {
        QVERIFY2(names.start(&error), qPrintable(error));
        service = SilentNameServer::hostName() + ':' + QString::number(m_cups->tcpPort());
    } else {
        QVERIFY(front.listen(QHostAddress::LocalHost));
        loseServiceAfterTheDocument(front, m_cups->socketPath(), edge);
        service = QStringLiteral("127.0.0.1:%1").arg(front.serverPort());
    }
    const QByteArray sandbox = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", service.toUtf8());
    const int files = static_cast<int>(m_cups->jobFiles().size());
    QElapsedTimer attempt;
    attempt.start();
    print(workedExample());
    const qint64 waited = attempt.elapsed();
    qputenv("CUPS_SERVER", sandbox);
    const QString told = ModalDriver::noteText();
    print(workedExample());
    QCOMPARE(m_user->texts(), QStringList(2, "Check if the printer is ready."));
    QVERIFY2(waited < 12000, qPrintable(QString::number(waited)));
    const bool handedOver = edge != Edge::LookupHangs;
    QVERIFY(!m_cups->waitForJobFiles(files + 1 + int(handedOver), 30000).isEmpty());
    if (!handedOver) {
        QCOMPARE(told, "The print service at " + service +
                           " did not answer within 10 seconds, so the report was not printed.");
        return;
    }
    const int job = QFileInfo(m_cups->jobFiles().at(files)).completeBaseName().mid(4).toInt();
    QCOMPARE(told, QString("The report was handed to the printer \"%1\" (job %2), but the print "
                           "service stopped answering before it confirmed the job. Look in the "
                           "printer's queue before printing the report again.")
                       .arg(queue)
                       .arg(job));
}

void TestPrintSessionE2E::keepsTheRecordThroughTheFileDialog_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
}

// File > Save as PDF and Export data, through Qt's file dialog: the PDF is the printed page, the
// CSV rows say what it says with ".", a second export adds a row, a table of ratings and a
// missing folder are told with nothing written. Behind the dialog the session counts on, and a
// hold ends as the dialog comes up.
void TestPrintSessionE2E::keepsTheRecordThroughTheFileDialog()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    Form1 window(*m_delivery);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto choose = [&](const char *item, const QString &path) {
        return m_user->saveThrough(window.findChild<QAction *>(item), path);
    };
    QTest::keyClick(window.control("Command1"), Qt::Key_Space);
    QTest::mousePress(&window.surface(), Qt::LeftButton, {}, QPoint(200, 500));
    QVERIFY(QTest::qWaitFor([&] { return window.engine().fields().talkTicks >= 6; }, 10000));
    QTemporaryDir folder;
    const QString csv = folder.filePath("sessions.csv");
    QCOMPARE(choose("MnuFilExport", csv), "The session was exported to the new file: " + csv);
    QVERIFY(!window.engine().fields().talkDown.value_or(true));
    QCOMPARE(window.engine().fields().talkCount.value_or(0), 1);
    const std::optional<qint32> counted = window.engine().fields().sampleTicks;
    QVERIFY(QTest::qWaitFor([&] { return window.engine().fields().sampleTicks > counted; }, 9000));
    QTest::mouseRelease(&window.surface(), Qt::LeftButton, {}, QPoint(200, 500));
    QTest::keyClick(window.control("Command1"), Qt::Key_Space);

    const int before = static_cast<int>(m_cups->jobFiles().size());
    window.findChild<QAction *>("MnuFilPrint")->trigger();
    const QString job = m_cups->waitForJobFiles(before + 1, 30000);
    QVERIFY2(!job.isEmpty(), qPrintable(m_cups->log()));
    // The job can reach the queue before the printer's name reaches the window, whose "Sending"
    // message is then made anew: the print is told out before the next message is awaited.
    QVERIFY(QTest::qWaitFor([&] { return !m_delivery->busy(); }, 30000));
    const QString pdf = folder.filePath("session.pdf");
    QCOMPARE(choose("MnuFilSavePdf", pdf), "The session was saved as: " + pdf);
    const QStringList page = readBack(pdf);
    compareRows(page, readBack(job));
    // Its timeline in the three formats, each read back by its reader, agrees with the report.
    const readback::Times printed =
        readback::times(QStringList(page).replaceInStrings(locale.decimalPoint(), "."));
    const timelinereadback::Totals report{qRound64(printed.talk * 5), qRound64(printed.clutter * 5),
                                          printed.talkCount, printed.clutterCount,
                                          qRound64(printed.sample * 5)};
    for (const char *name : {"timeline.csv", "timeline.TextGrid", "timeline.txt"}) {
        const QString path = folder.filePath(QLatin1String(name));
        QCOMPARE(choose("MnuFilExportTimeline", path),
                 "The session's timeline was exported to: " + path);
        QString failed;
        timelinereadback::Totals read = path.endsWith(".csv")
                                            ? timelinereadback::withPython(path, &failed)
                                        : path.endsWith(".txt")
                                            ? timelinereadback::withSplit(path, &failed)
                                            : timelinereadback::withPraat(path, &failed);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        if (!path.endsWith(".csv"))
            read.sampleTicks = report.sampleTicks; // only the table says its length
        QCOMPARE(describe(read), describe(report));
    }
    const QString proposed = m_user->proposedPaths().value(1);
    QVERIFY(QRegularExpression("/Tallymere session \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d\\.pdf$")
                .match(proposed)
                .hasMatch());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(QFileInfo(proposed).path(), QDir(documents).exists() ? documents : QDir::homePath());
    const QString talking = page.filter("(all) talking time").value(0).mid(56);
    QVERIFY2(talking.contains(locale.decimalPoint()), qPrintable(talking));

    QCOMPARE(choose("MnuFilExport", csv), "The session was added as a new row to: " + csv);
    const QList<QByteArray> lines = readback::file(csv).split('\n');
    QCOMPARE(lines.size(), 4); // the header, two rows, and nothing after the last line break
    const QList<QByteArray> values = lines.at(2).trimmed().split(','); // talk_n, talking_pct
    QCOMPARE(
        values.mid(3, 1) + values.mid(7, 1),
        (QList<QByteArray>{"1", talking.chopped(2).replace(locale.decimalPoint(), ".").toUtf8()}));

    const QString ratings = folder.filePath("ratings.csv");
    const QByteArray header = CsvTable::line(RecordRow::columnsOf(RecordKind::Ratings));
    QVERIFY(readback::writeFile(ratings, header));
    QCOMPARE(choose("MnuFilExport", ratings), "The session could not be exported to " + ratings +
                                                  ": it holds perceptual ratings, not sessions. "
                                                  "Nothing was written.");
    QCOMPARE(readback::file(ratings), header);
    const QString missing = folder.filePath("missing/sessions.csv");
    QCOMPARE(choose("MnuFilExport", missing), "The session could not be exported to " + missing +
                                                  ": the folder does not exist. Nothing was "
                                                  "written.");
    QVERIFY(!QFile::exists(missing));
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestPrintSessionE2E)
#include "test_print_session_e2e.moc"
