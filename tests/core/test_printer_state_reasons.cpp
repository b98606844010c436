#include "core/reports/PrintOutcome.h"

#include <QTest>

// Which printer-state-reasons keep a queued report from printing, the words the user reads, and
// when an accepted job counts as waiting.
class TestPrinterStateReasons : public QObject {
    Q_OBJECT

private slots:
    void plainWords_data();
    void plainWords();
    void judge_data();
    void judge();
};

void TestPrinterStateReasons::plainWords_data()
{
    QTest::addColumn<QStringList>("reasons");
    QTest::addColumn<QString>("words");

    const QString paper = QStringLiteral("the printer reports it is out of paper");
    QTest::newRow("all well") << QStringList{"none"} << QString();
    QTest::newRow("nothing reported") << QStringList{} << QString();
    QTest::newRow("bare keyword") << QStringList{"media-empty"} << paper;
    QTest::newRow("error suffix") << QStringList{"media-empty-error"} << paper;
    QTest::newRow("a warning never stops") << QStringList{"media-empty-warning"} << QString();
    QTest::newRow("report suffix is informational")
        << QStringList{"media-empty-report"} << QString();
    QTest::newRow("offline as CUPS reports it")
        << QStringList{"offline-report"} << "the printer reports it is offline";
    QTest::newRow("a longer keyword is another reason")
        << QStringList{"media-empty-tray-2-error", "toner-low-warning"} << QString();
    QTest::newRow("one phrase per reason, in order")
        << QStringList{"cover-open-error", "media-jam", "cover-open", "door-open-warning",
                       "door-open"}
        << "the printer reports its cover is open, there is a paper jam and a door is open";
    QTest::newRow("only the reasons that stop printing")
        << QStringList{"marker-supply-low-warning", "toner-empty-error", "marker-supply-empty"}
        << "the printer reports it is out of toner and it is out of ink or toner";
}

void TestPrinterStateReasons::plainWords()
{
    QFETCH(QStringList, reasons);
    QFETCH(QString, words);
    QCOMPARE(printjob::reasonsInWords(reasons), words);
}

void TestPrinterStateReasons::judge_data()
{
    using namespace printjob;
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("printer");
    QTest::addColumn<QStringList>("reasons");
    QTest::addColumn<bool>("settled");
    QTest::addColumn<Verdict>("verdict");
    const QStringList paper{"media-empty-error"};
    QTest::newRow("done at once") << +Completed << +Idle << paper << false << Verdict::Printing;
    QTest::newRow("too early") << +Pending << +Busy << paper << false << Verdict::Undecided;
    QTest::newRow("aborted") << +Aborted << +Idle << QStringList{} << false << Verdict::Ended;
    QTest::newRow("queued behind")
        << +Pending << +Busy << QStringList{} << true << Verdict::Waiting;
    QTest::newRow("out of paper") << +Processing << +Busy << paper << true << Verdict::Waiting;
    QTest::newRow("stopped") << +Processing << +PrinterStopped << QStringList{} << true
                             << Verdict::Waiting;
    QTest::newRow("printing with a warning")
        << +Processing << +Busy << QStringList{"door-open-warning"} << true << Verdict::Printing;
    QTest::newRow("job state unreadable, too early")
        << 0 << 0 << QStringList{} << false << Verdict::Undecided;
    QTest::newRow("job state unreadable")
        << 0 << +Idle << QStringList{} << true << Verdict::Unknown;
}

void TestPrinterStateReasons::judge()
{
    QFETCH(int, job);
    QFETCH(int, printer);
    QFETCH(QStringList, reasons);
    QFETCH(bool, settled);
    QFETCH(printjob::Verdict, verdict);
    QCOMPARE(printjob::judge({job, printer, reasons}, settled), verdict);
}

QTEST_GUILESS_MAIN(TestPrinterStateReasons)
#include "test_printer_state_reasons.moc"
