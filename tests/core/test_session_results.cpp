#include "core/reports/ReportLayout.h"
#include "core/reports/SessionReport.h"
#include "core/session/SessionResults.h"

#include <QLocale>
#include <QTest>

// The seven results computed from session counters: values, "  n/a " for a zero divisor, and
// the two display patterns, including the largest counters a session can hold. The printed report
// gives the same seven texts from the same rows: screen and paper share one computation.
class TestSessionResults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English)); }
    void texts_data();
    void texts();
    void reportPrintsTheSameTexts_data() { texts_data(); }
    void reportPrintsTheSameTexts();
    void decimalFollowsLocale();
};

namespace {
constexpr int Unset = -1;
std::optional<qint32> field(int value)
{
    return value == Unset ? std::nullopt : std::optional<qint32>(value);
}

SessionFields fetchedFields()
{
    QFETCH(int, sample);
    QFETCH(int, talk);
    QFETCH(int, clutter);
    QFETCH(int, talkCount);
    QFETCH(int, clutterCount);
    SessionFields fields;
    fields.sampleTicks = field(sample);
    fields.talkTicks = field(talk);
    fields.clutterTicks = static_cast<qint16>(clutter);
    fields.talkCount = field(talkCount);
    fields.clutterCount = static_cast<qint16>(clutterCount);
    return fields;
}
} // namespace

void TestSessionResults::texts_data()
{
    QTest::addColumn<int>("sample");
    QTest::addColumn<int>("talk");
    QTest::addColumn<int>("clutter");
    QTest::addColumn<int>("talkCount");
    QTest::addColumn<int>("clutterCount");
    QTest::addColumn<QStringList>("expected");
    const QString na = QStringLiteral("  n/a ");

    QTest::newRow("worked example")
        << 50 << 30 << 10 << 3 << 2
        << QStringList{"60.0 %", "20.0 %", "33.3 %", "2.00 ", "1.00 ", "12.00 ", "20.00 "};
    QTest::newRow("the report's worked example")
        << 62 << 31 << 6 << 2 << 1
        << QStringList{"50.0 %", "9.7 %", "19.4 %", "3.10 ", "1.20 ", "4.84 ", "9.68 "};
    QTest::newRow("fresh session, all unset")
        << Unset << Unset << 0 << Unset << 0 << QStringList{na, na, na, na, na, na, na};
    QTest::newRow("after reset, all zero")
        << 0 << 0 << 0 << 0 << 0 << QStringList{na, na, na, na, na, na, na};
    QTest::newRow("no button used")
        << 10 << Unset << 0 << Unset << 0 << QStringList{"0.0 %", "0.0 %", na, na, na, "0.00 ", na};
    QTest::newRow("speech without cluttering")
        << 20 << 10 << 0 << 2 << 0
        << QStringList{"50.0 %", "0.0 %", "0.0 %", "1.00 ", na, "0.00 ", "0.00 "};
    QTest::newRow("only the right button")
        << 20 << 10 << 10 << 2 << 2
        << QStringList{"50.0 %", "50.0 %", "100.0 %", "1.00 ", "1.00 ", "30.00 ", "60.00 "};
    QTest::newRow("interval held across the pause")
        << 10 << 10 << 0 << 1 << 0
        << QStringList{"100.0 %", "0.0 %", "0.0 %", "2.00 ", na, "0.00 ", "0.00 "};
    QTest::newRow("time without a counted interval")
        << 10 << 4 << 4 << 0 << 0
        << QStringList{"40.0 %", "40.0 %", "100.0 %", na, na, "0.00 ", "0.00 "};
    QTest::newRow("rounds half away from zero")
        << 16 << 1 << 0 << 1 << 0
        << QStringList{"6.3 %", "0.0 %", "0.0 %", "0.20 ", na, "0.00 ", "0.00 "};
    QTest::newRow("one third") << 3 << 3 << 1 << 1 << 1
                               << QStringList{"100.0 %", "33.3 %",  "33.3 %", "0.60 ",
                                              "0.20 ",   "100.00 ", "100.00 "};
    QTest::newRow("16-bit counters at their limit")
        << 32767 << 32767 << 32767 << 32767 << 32767
        << QStringList{"100.0 %", "100.0 %", "100.0 %", "0.20 ", "0.20 ", "300.00 ", "300.00 "};
    QTest::newRow("rate exact beyond 16 bits of product")
        << 600000 << 600000 << 32767 << 1 << 32767
        << QStringList{"100.0 %", "5.5 %", "5.5 %", "120000.00 ", "0.20 ", "16.38 ", "16.38 "};
}

void TestSessionResults::texts()
{
    QFETCH(QStringList, expected);
    const SessionResults results(fetchedFields());

    QStringList texts;
    for (const auto measure : SessionResults::PanelMeasures) {
        texts << results.text(measure);
        // A measure has a value exactly when it is shown as a number.
        QCOMPARE(results.value(measure).has_value(), results.text(measure) != "  n/a ");
    }
    QCOMPARE(texts, expected);
}

void TestSessionResults::reportPrintsTheSameTexts()
{
    QFETCH(QStringList, expected);
    const QStringList rows = reportlayout::asText(SessionReport::build(fetchedFields()));
    // The report's lines of the panel's seven measures, in the panel's order, from column 57; the
    // two mean durations go on with " s.".
    const char *labels[] = {"(all) talking time : ",
                            "Percentage sample duration cluttered : ",
                            "Percentage talking time cluttered : ",
                            "Mean interval duration talking time : ",
                            "Mean interval duration cluttering time : ",
                            "intervals/min (sample duration) : ",
                            "intervals/min (talking time) : "};
    QStringList printed;
    for (const char *label : labels)
        printed << rows.filter(QLatin1String(label)).value(0).mid(56);
    for (const int mean : {3, 4})
        expected[mean] += QStringLiteral(" s.");
    QCOMPARE(printed, expected);
}

void TestSessionResults::decimalFollowsLocale()
{
    QLocale::setDefault(QLocale(QLocale::German));
    SessionFields fields;
    fields.sampleTicks = 3;
    fields.talkTicks = 1;
    fields.talkCount = 1;
    const SessionResults results(fields);
    const QString percent = results.text(SessionResults::Measure::PercentSampleSpoken);
    const QString mean = results.text(SessionResults::Measure::MeanSpeechInterval);
    QLocale::setDefault(QLocale(QLocale::English));
    QCOMPARE(percent, QStringLiteral("33,3 %"));
    QCOMPARE(mean, QStringLiteral("0,20 "));
}

QTEST_APPLESS_MAIN(TestSessionResults)
#include "test_session_results.moc"
