// Two judges' timelines compared: every figure against values worked out by hand, in rows of
// ticks written as "0" and "1" (a tick of 0.2 s each), with windows of 1 s; and timelines that
// cannot be read or compared refused, saying why; and a table of comparisons read back for the
// reliability across its samples.
#include "core/reports/Agreement.h"
#include "core/reports/AgreementReport.h"
#include "core/reports/ComparisonSeries.h"
#include "core/reports/CsvExport.h"
#include "core/reports/RecordRow.h"
#include "core/reports/ReportLayout.h"
#include "core/reports/TimelineReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Marks `channel` where `ticks` has a "1", each run of them one counted interval.
void mark(JudgedTimeline &judged, Timeline::Channel channel, const QString &ticks)
{
    for (qint32 tick = 0; tick < ticks.size(); ++tick) {
        if (ticks[tick] != QLatin1Char('1'))
            continue;
        judged.mark(channel, tick, tick + 1);
        if (tick == 0 || ticks[tick - 1] != QLatin1Char('1'))
            judged.channel(channel).countedStarts.push_back(tick);
    }
}

// A judge who marked speech where `speech` has a "1", and cluttering where `cluttering` has.
JudgedTimeline judge(const QString &name, const QString &speech, const QString &cluttering = {})
{
    JudgedTimeline judged(name, qint32(speech.size()));
    mark(judged, Timeline::Channel::Speech, speech);
    mark(judged, Timeline::Channel::Cluttering, cluttering);
    return judged;
}

QString text(std::optional<double> value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QStringLiteral("n/a");
}

} // namespace

class TestAgreement : public QObject {
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void refusals_data();
    void refusals();
    void icc_data();
    void icc();
    void series();
    void reportFitsThePage();
};

void TestAgreement::figures_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    // total-time, window and occurrence agreement; kappa by tick and by second; prevalence by
    // tick; intervals counted for A
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("identical") << "00111110000011111000"
                               << "00111110000011111000"
                               << QStringList{"100.0", "100.0", "100.0", "1.000",
                                              "n/a",   "0.000", "2"};
    QTest::newRow("disjoint") << "11111000001111100000"
                              << "00000111110000011111"
                              << QStringList{"100.0",  "0.0",   "0.0", "-1.000",
                                             "-1.000", "0.000", "2"};
    QTest::newRow("B a tick late everywhere")
        << "01111000000111100000"
        << "00111100000011110000"
        << QStringList{"100.0", "50.0", "50.0", "0.583", "0.000", "0.200", "2"};
    QTest::newRow("a long empty stretch")
        << "11" + QString(98, QLatin1Char('0')) << "1" + QString(99, QLatin1Char('0'))
        << QStringList{"50.0", "100.0", "100.0", "0.662", "1.000", "0.970", "1"};
    // Over the common span of 20 ticks the two agree; A's third interval starts at its end.
    QTest::newRow("unequal lengths")
        << "111110000011111000001111100000"
        << "11111000001111100000"
        << QStringList{"100.0", "100.0", "100.0", "1.000", "1.000", "0.000", "2"};
    QTest::newRow("nothing marked")
        << QString(20, QLatin1Char('0')) << QString(20, QLatin1Char('0'))
        << QStringList{"n/a", "100.0", "n/a", "n/a", "n/a", "1.000", "0"};
    // The last window, of 2 ticks, counts: B alone marks it.
    QTest::newRow("a shorter last window")
        << "100000000000"
        << "100000000001" << QStringList{"50.0", "66.7", "50.0", "0.625", "0.400", "0.750", "1"};
}

void TestAgreement::figures()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QStringList, expected);
    const Agreement agreement(judge("a", a), judge("b", b), 5);
    const Agreement::ChannelFigures &speech = agreement.speech();
    const QStringList figures{
        text(speech.totalAgreement, 1),      text(speech.windowAgreement, 1),
        text(speech.occurrenceAgreement, 1), text(speech.byTick.kappa, 3),
        text(speech.bySecond.kappa, 3),      QString::number(speech.byTick.prevalence, 'f', 3),
        QString::number(speech.countA)};
    QCOMPARE(figures, expected);
    QCOMPARE(agreement.notes().isEmpty(), a.size() == b.size());
}

void TestAgreement::refusals_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("why");
    QTest::newRow("a table of sessions")
        << QByteArray("exported_at,sample_s\r\n2026-12-09T14:32:05+01:00,12\r\n")
        << QStringLiteral("not a timeline Tallymere exported");
    QTest::newRow("a TextGrid without the tiers")
        << QByteArray("File type = \"ooTextFile\"\nObject class = \"TextGrid\"\n\nxmin = 0\n"
                      "xmax = 2\ntiers? <exists>\nsize = 1\nitem []:\n    item [1]:\n"
                      "        class = \"IntervalTier\"\n        name = \"words\"\n"
                      "        xmin = 0\n        xmax = 2\n        intervals: size = 1\n"
                      "        intervals [1]:\n            xmin = 0\n            xmax = 2\n"
                      "            text = \"hello\"\n")
        << QStringLiteral("no interval tiers named \"speech\" and \"cluttering\" (its tiers: "
                          "words)");
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)
                               << QStringLiteral("not a CSV file or a Praat TextGrid");
}

void TestAgreement::refusals()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, why);
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("judge.TextGrid")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    QString told;
    QVERIFY(!timelinereader::read(file.fileName(), &told));
    QVERIFY2(told.contains(why), qPrintable(told));
}

void TestAgreement::icc_data()
{
    // each sample's percentage by judge A and by judge B
    QTest::addColumn<QList<double>>("a");
    QTest::addColumn<QList<double>>("b");
    QTest::addColumn<QString>("expected");
    QTest::newRow("identical") << QList<double>{10, 20} << QList<double>{10, 20} << "1.000";
    // MSR 8, MSC 1.5, MSE 0: 8 / (8 + 2 x 1.5 / 3)
    QTest::newRow("B one higher everywhere")
        << QList<double>{1, 3, 5} << QList<double>{2, 4, 6} << "0.889";
    // Shrout and Fleiss's first two judges: 24/191
    QTest::newRow("two judges of six targets")
        << QList<double>{9, 6, 8, 7, 10, 6} << QList<double>{2, 1, 4, 1, 5, 2} << "0.126";
    // MSR 0, MSE 2, MSC 0: -2 / (2 - 4/3)
    QTest::newRow("judges crossing")
        << QList<double>{1, 3, 2} << QList<double>{3, 1, 2} << "-3.000";
    QTest::newRow("one sample") << QList<double>{10} << QList<double>{20} << "n/a";
    QTest::newRow("no sample varies") << QList<double>{5, 5} << QList<double>{5, 5} << "n/a";
    // MSR = MSC = 0 with n = 2: the denominator is 0
    QTest::newRow("two samples, crosswise")
        << QList<double>{20, 5} << QList<double>{5, 20} << "n/a";
}

void TestAgreement::icc()
{
    QFETCH(QList<double>, a);
    QFETCH(QList<double>, b);
    QFETCH(QString, expected);
    QList<std::pair<double, double>> ratings;
    for (qsizetype sample = 0; sample < a.size(); ++sample)
        ratings.append({a.at(sample), b.at(sample)});
    QCOMPARE(text(ComparisonSeries::icc21(ratings), 3), expected);
}

// Four samples of 10 ticks, all spoken, kept in one table. Cluttered talking time, A / B: 50/40,
// 20/30, 80/50, 10/0, so MSR 4000/3, MSC 200, MSE 400/3 and ICC(2,1) 1200/1500. Cluttering's
// window agreement: 100, 100, 50, and 0 over the last sample's one window of 2 s.
void TestAgreement::series()
{
    const QString spoken(10, QLatin1Char('1'));
    const QList<std::tuple<QString, QString, int>> samples{{"1111100000", "1111000000", 5},
                                                           {"1100000000", "1110000000", 5},
                                                           {"1111111100", "1111100000", 5},
                                                           {"1000000000", "0000000000", 10}};
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("comparisons.csv"));
    QString why;
    for (const auto &[a, b, window] : samples) {
        const Agreement agreement(judge("a", spoken, a), judge("b", spoken, b), window);
        QVERIFY(
            CsvExport::write(RecordRow::comparison(agreement, QDateTime::currentDateTime()), path)
                .written());
        if (window == 5)
            QCOMPARE(ComparisonSeries::read(path, &why)->windowsDiffer, false);
    }
    const std::optional<ComparisonSeries> series = ComparisonSeries::read(path, &why);
    QVERIFY2(series, qPrintable(why));
    QCOMPARE(series->comparisons, 4);
    QCOMPARE(series->samples, 4);
    QCOMPARE(text(series->icc, 3), QStringLiteral("0.800"));
    QCOMPARE(text(series->speechWindowAgreement, 1), QStringLiteral("100.0"));
    QCOMPARE(text(series->clutterWindowAgreement, 1), QStringLiteral("62.5"));
    QVERIFY(series->windowsDiffer);

    QFile sessions(folder.filePath(QStringLiteral("sessions.csv")));
    QVERIFY(sessions.open(QIODevice::WriteOnly) && sessions.write("exported_at,sample_s\r\n") > 0);
    sessions.close();
    QVERIFY(!ComparisonSeries::read(sessions.fileName(), &why));
    QVERIFY2(why.contains(QLatin1String("not a table of comparisons")), qPrintable(why));
}

// Names of any length, in the judges' lines and the note on the lengths, are broken onto lines
// of the page's 72 columns and lose no character.
void TestAgreement::reportFitsThePage()
{
    const QString a = QStringLiteral("pass 1 of participant 17 reading by the clinic's judge.csv");
    const QString b = QString(100, QLatin1Char('b'));
    const QStringList rows = reportlayout::asText(
        AgreementReport::build(Agreement(judge(a, "1111100000"), judge(b, "111110000011111"), 5)));
    for (const QString &row : rows)
        QVERIFY2(row.size() <= 72, qPrintable(row));
    const QString page = rows.join(QString()).remove(QLatin1Char(' '));
    for (QString whole : {"Judge A : " + a, "Judge B : " + b,
                          QStringLiteral("lengths differ (%1: 2 s, %2: 3 s)").arg(a, b)})
        QVERIFY2(page.contains(whole.remove(QLatin1Char(' '))), qPrintable(rows.join('\n')));
}

QTEST_GUILESS_MAIN(TestAgreement)
#include "test_agreement.moc"
