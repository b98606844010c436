#include "reports/PrinterStateReasons.h"

#include <QTest>

// Which printer-state-reasons keep a queued report from printing, and the words the user reads.
class TestPrinterStateReasons : public QObject {
    Q_OBJECT

private slots:
    void plainWords_data();
    void plainWords();
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
    QTest::newRow("warning suffix") << QStringList{"media-empty-warning"} << paper;
    QTest::newRow("report suffix is informational")
        << QStringList{"media-empty-report"} << QString();
    QTest::newRow("offline as CUPS reports it")
        << QStringList{"offline-report"} << "the printer reports it is offline";
    QTest::newRow("a longer keyword is another reason")
        << QStringList{"media-empty-tray-2-error", "toner-low-warning"} << QString();
    QTest::newRow("one phrase per reason, in order")
        << QStringList{"cover-open-error", "media-jam", "cover-open-warning", "door-open"}
        << "the printer reports its cover is open, there is a paper jam and a door is open";
    QTest::newRow("only the reasons that stop printing")
        << QStringList{"marker-supply-low-warning", "toner-empty-error", "marker-supply-empty"}
        << "the printer reports it is out of toner and it is out of ink or toner";
}

void TestPrinterStateReasons::plainWords()
{
    QFETCH(QStringList, reasons);
    QFETCH(QString, words);
    QCOMPARE(PrinterStateReasons::plainWords(reasons), words);
}

QTEST_GUILESS_MAIN(TestPrinterStateReasons)
#include "test_printer_state_reasons.moc"
