#include "CupsSandbox.h"
#include "ModalDriver.h"
#include "ReportReadBack.h"

#include "widgets/delivery/PrintCommands.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "windows/ratings/CluttteringScalesForm.h"

#include "core/reports/CsvTable.h"
#include "core/reports/RecordRow.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using readback::row;

// File > Print of the rating window, end to end through a private CUPS scheduler: every row with
// its scores at their column stops, "  n/a " for scales never pressed, the failures, and a
// printer that takes the job but cannot print it now.
class TestPrintRatingsE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void printsEveryRowAtItsColumns();
    void promptsThenReadsTheRatingsOnce();
    void stoppedPrinterSendsNothing();
    void noPrinterSavesTheRatingsAsPdf();
    void printerWithoutDefaultOffersPdf();
    void printerOutOfPaperKeepsTheJob();
    void keepsTheRecordThroughTheFileDialog();

private:
    void print(const RatingFields &fields);

    static constexpr const char *queue = "tallymere_ratings";
    static constexpr const char *stuck = "tallymere_no_paper";
    std::unique_ptr<CupsSandbox> m_cups;
    std::unique_ptr<ModalDriver> m_user;
    std::unique_ptr<ReportDelivery> m_delivery;
    RatingFields m_ratings;
    int m_readings = 0;
    QStringList m_textsAtReading;
};

namespace {

// Rated: speaking rate 778, disfluency 3, naturalness 0 (pressed at the left edge), thought
// organization 389. The other five were never pressed.
RatingFields someRatings()
{
    RatingFields f;
    f.ratingSpeakingRate = 778;
    f.ratedSpeakingRate = true;
    f.ratingDisfluency = 3;
    f.ratedDisfluency = true;
    f.ratingNaturalness = 0;
    f.ratedNaturalness = true;
    f.ratingThoughtOrganization = 389;
    f.ratedThoughtOrganization = true;
    return f;
}

bool same(const RatingFields &a, const RatingFields &b)
{
    const auto values = [](const RatingFields &f) {
        return QList<float>{f.ratingSpeakingRate,
                            f.ratingRateRegularity,
                            f.ratingDisfluency,
                            f.ratingSyllableProductionIntegrity,
                            f.ratingOverallArticulationAccuracy,
                            f.ratingNaturalness,
                            f.ratingLanguageCoherence,
                            f.ratingPragmaticLanguageAppropriateness,
                            f.ratingThoughtOrganization};
    };
    const auto flags = [](const RatingFields &f) {
        return QList<bool>{f.ratedSpeakingRate,
                           f.ratedRateRegularity,
                           f.ratedDisfluency,
                           f.ratedSyllableProductionIntegrity,
                           f.ratedOverallArticulationAccuracy,
                           f.ratedNaturalness,
                           f.ratedLanguageCoherence,
                           f.ratedPragmaticLanguageAppropriateness,
                           f.ratedThoughtOrganization};
    };
    return values(a) == values(b) && flags(a) == flags(b);
}

QStringList expectedRows()
{
    const QString na = QStringLiteral("  n/a");
    return {
        row({{10, QString(53, '=')}}),
        row({{10, "RESULTS of the Visual Analog Scale Perceptual Rating Procedure"}}),
        row({{10, QString(53, '=')}}),
        row({{10, "Perceptual Feature:"}, {50, "% score:"}, {65, "Scale 1-9"}}),
        row({{10, QString(16, '_')}, {50, QString(9, '_')}, {65, QString(7, '_')}}),
        row({{10, "Speaking rate"}, {50, "100.0 %"}, {65, "9.0"}}),
        row({{10, "Rate regularity"}, {50, "  n/a "}, {65, na}}),
        row({{10, "Disfluency"}, {50, ".4 %"}, {65, "1.0"}}),
        row({{10, "Syllable production integrity"}, {50, "  n/a "}, {65, na}}),
        row({{10, "Overall articulation accuracy"}, {50, "  n/a "}, {65, na}}),
        row({{10, "Naturalness"}, {50, ".0 %"}, {65, "1.0"}}),
        row({{10, "Pragmatic language appropriateness"}, {50, "  n/a "}, {65, na}}),
        row({{10, "Language coherence"}, {50, "  n/a "}, {65, na}}),
        row({{10, "Thought organization"}, {50, "50.0 %"}, {65, "5.0"}}),
        row({{10, QString(54, '_')}}),
    };
}

void compareReadBack(const QString &pdf)
{
    const QStringList actual = readback::rows(
        CupsSandbox::pdfText(pdf), QStringLiteral("RESULTS of the Visual Analog Scale"), 10);
    const QStringList expected = expectedRows();
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(actual.at(i), readback::trimmedRight(expected.at(i)));
}

} // namespace

void TestPrintRatingsE2E::initTestCase()
{
    classiclook::apply();
    fonts::registerSubstitutes();
    m_cups = std::make_unique<CupsSandbox>();
    QString error;
    if (!m_cups->startWithDefaultQueue(queue, &error))
        QFAIL(qPrintable(error));
}

void TestPrintRatingsE2E::init()
{
    m_user = std::make_unique<ModalDriver>();
    m_delivery = std::make_unique<ReportDelivery>();
    m_readings = 0;
    m_textsAtReading.clear();
}

void TestPrintRatingsE2E::cleanup()
{
    ModalDriver::closeNotes();
    m_delivery.reset();
    m_user.reset();
    // Whatever a case did to the print service, the next one finds it running with its queue.
    QString error;
    QVERIFY2(m_cups->restoreDefaultQueue(queue, &error), qPrintable(error));
    m_cups->removeQueue(stuck, &error); // where a case added it
}

void TestPrintRatingsE2E::cleanupTestCase() { m_cups.reset(); }

void TestPrintRatingsE2E::print(const RatingFields &fields)
{
    m_ratings = fields;
    printcommands::printRatings(*m_delivery, nullptr, [this]() {
        ++m_readings;
        m_textsAtReading = m_user->texts();
        return m_ratings;
    });
    // The report goes on its way after the command returns; its outcome is told later.
    QTRY_VERIFY_WITH_TIMEOUT(!m_delivery->busy(), 20000);
}

void TestPrintRatingsE2E::printsEveryRowAtItsColumns()
{
    const int before = static_cast<int>(m_cups->jobFiles().size());
    print(someRatings());
    const QString job = m_cups->waitForJobFiles(before + 1, 30000);
    QVERIFY2(!job.isEmpty(), qPrintable(m_cups->log()));
    compareReadBack(job);
    QVERIFY(same(m_ratings, someRatings()));
}

void TestPrintRatingsE2E::promptsThenReadsTheRatingsOnce()
{
    const int before = static_cast<int>(m_cups->jobFiles().size());
    print(someRatings());
    QCOMPARE(m_user->texts(), QStringList{"Is the printer on?"});
    QCOMPARE(m_readings, 1);
    QCOMPARE(m_textsAtReading, QStringList{"Is the printer on?"});
    QVERIFY(!m_cups->waitForJobFiles(before + 1, 30000).isEmpty());
}

void TestPrintRatingsE2E::stoppedPrinterSendsNothing()
{
    QVERIFY(m_cups->run("cupsdisable", {queue}));
    const int files = static_cast<int>(m_cups->jobFiles().size());
    const int jobs = m_cups->jobCount();
    print(someRatings());
    QCOMPARE(m_user->texts(), QStringList{"Is the printer on?"});
    QVERIFY(ModalDriver::noteText().contains(QLatin1String("is stopped")));
    QTest::qWait(300);
    QCOMPARE(m_cups->jobFiles().size(), files);
    QCOMPARE(m_cups->jobCount(), jobs);
    QVERIFY(same(m_ratings, someRatings()));
}

void TestPrintRatingsE2E::noPrinterSavesTheRatingsAsPdf()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("ratings.pdf"));
    m_user->saveNextFileAs(target);
    print(someRatings());
    QVERIFY(ModalDriver::clickNoteButton("PrintingNoteSave"));
    QCOMPARE(ModalDriver::noteText(), "The ratings were saved as: " + target);
    compareReadBack(target);
}

void TestPrintRatingsE2E::printerWithoutDefaultOffersPdf()
{
    QString error;
    QVERIFY2(m_cups->removeQueue(queue, &error), qPrintable(error));
    QVERIFY2(m_cups->addQueue(queue, &error), qPrintable(error)); // back, but not the default
    const int files = static_cast<int>(m_cups->jobFiles().size());
    print(someRatings());
    QCOMPARE(m_user->texts(), QStringList{"Is the printer on?"});
    QCOMPARE(ModalDriver::noteText(),
             QString("The printer \"%1\" is installed but is not the default printer, so the "
                     "report cannot be printed. Make it the default in the system's printer "
                     "settings, or with the command: lpoptions -d %1")
                 .arg(queue));
    QVERIFY(ModalDriver::note()->findChild<QWidget *>("PrintingNoteSave")->isVisible());
    QTest::qWait(300);
    QCOMPARE(m_cups->jobFiles().size(), files);
    QVERIFY(m_cups->queuedJobs(queue).isEmpty());
    QVERIFY(same(m_ratings, someRatings()));
}

void TestPrintRatingsE2E::printerOutOfPaperKeepsTheJob()
{
    QString error;
    QVERIFY2(m_cups->addDefaultQueueReporting(stuck, "media-empty", &error), qPrintable(error));
    const QList<int> before = m_cups->queuedJobs(stuck);
    print(someRatings());
    const QList<int> after = m_cups->queuedJobs(stuck);
    QCOMPARE(after.size(), before.size() + 1);
    QCOMPARE(m_user->texts(), QStringList{"Is the printer on?"});
    QCOMPARE(ModalDriver::noteText(),
             QString("The report is waiting in the print queue of the printer \"%1\" (job %2): "
                     "the printer reports it is out of paper. It will print when the printer "
                     "is ready.")
                 .arg(stuck)
                 .arg(after.last()));
    QVERIFY(same(m_ratings, someRatings()));
}

// The rating window's Save as PDF and Export data, through Qt's file dialog: the PDF is the
// printed page, the CSV rows its scores, a table of sessions and a missing folder are told with
// nothing written.
void TestPrintRatingsE2E::keepsTheRecordThroughTheFileDialog()
{
    m_ratings = someRatings();
    CluttteringScalesForm window(m_ratings, *m_delivery);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto choose = [&](const char *item, const QString &path) {
        return m_user->saveThrough(window.findChild<QAction *>(item), path);
    };
    const int before = static_cast<int>(m_cups->jobFiles().size());
    window.findChild<QAction *>("MnuHardCopy")->trigger();
    const QString job = m_cups->waitForJobFiles(before + 1, 30000);
    QVERIFY2(!job.isEmpty(), qPrintable(m_cups->log()));
    // The job can reach the queue before the printer's name reaches the window, whose "Sending"
    // message is then made anew: the print is told out before the next message is awaited.
    QVERIFY(QTest::qWaitFor([&] { return !m_delivery->busy(); }, 30000));
    QTemporaryDir folder;
    const QString pdf = folder.filePath("ratings.pdf");
    QCOMPARE(choose("MnuFilSavePdf", pdf), "The ratings were saved as: " + pdf);
    compareReadBack(pdf);
    QCOMPARE(CupsSandbox::pdfText(pdf), CupsSandbox::pdfText(job));

    const QString csv = folder.filePath("ratings.csv");
    QCOMPARE(choose("MnuFilExport", csv), "The ratings were exported to the new file: " + csv);
    QCOMPARE(choose("MnuFilExport", csv), "The ratings were added as a new row to: " + csv);
    const QList<QByteArray> lines = readback::file(csv).split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(1).split(',').mid(1), lines.at(2).split(',').mid(1));
    QCOMPARE(lines.at(2).trimmed().split(',').mid(1, 9),
             (QList<QByteArray>{"778", "100.0", "9.0", "", "", "", "3", "0.4", "1.0"}));

    const QString sessions = folder.filePath("sessions.csv");
    const QByteArray header = CsvTable::line(RecordRow::columnsOf(RecordKind::Session));
    QVERIFY(readback::writeFile(sessions, header));
    QCOMPARE(choose("MnuFilExport", sessions), "The ratings could not be exported to " + sessions +
                                                  ": it holds sessions, not perceptual ratings. "
                                                  "Nothing was written.");
    QCOMPARE(readback::file(sessions), header);
    const QString missing = folder.filePath("missing/ratings.pdf");
    QCOMPARE(choose("MnuFilSavePdf", missing), "The ratings could not be saved as " + missing +
                                                ": the folder does not exist. Nothing was "
                                                "written.");
    QVERIFY(!QFile::exists(missing));
    QVERIFY(same(m_ratings, someRatings()));
}

QTEST_MAIN(TestPrintRatingsE2E)
#include "test_print_ratings_e2e.moc"
