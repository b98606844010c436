// Two judges' timelines compared: every figure against values worked out by hand, in rows of
// ticks written as "0" and "1" (a tick of 0.2 s each), with windows of 1 s; and timelines that
// cannot be read or compared refused, saying why.
#include "core/reports/Agreement.h"
#include "core/reports/TimelineReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A judge who marked speech where `ticks` has a "1", each run of them one counted interval.
JudgedTimeline judge(const QString &name, const QString &ticks)
{
    JudgedTimeline judged(name, qint32(ticks.size()));
    for (qint32 tick = 0; tick < ticks.size(); ++tick) {
        if (ticks[tick] != QLatin1Char('1'))
            continue;
        judged.mark(Timeline::Channel::Speech, tick, tick + 1);
        if (tick == 0 || ticks[tick - 1] != QLatin1Char('1'))
            judged.channel(Timeline::Channel::Speech).countedStarts.push_back(tick);
    }
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
        << "100000000000" << "100000000001"
        << QStringList{"50.0", "66.7", "50.0", "0.625", "0.400", "0.750", "1"};
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

QTEST_GUILESS_MAIN(TestAgreement)
#include "test_agreement.moc"
