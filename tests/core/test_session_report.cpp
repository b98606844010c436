#include "core/reports/CsvTable.h"
#include "core/reports/RecordRow.h"
#include "core/reports/ReportLayout.h"
#include "core/reports/SessionReport.h"

#include <QDateTime>
#include <QLocale>
#include <QTest>

#include <utility>

Q_DECLARE_METATYPE(SessionFields)

// The session report read back as fixed-width text rows, one character per column.
class TestSessionReport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void workedExampleLineByLine();
    void measures_data();
    void measures();
    void unsetTalkCountPrintsEmptyCount();
    void countMovesToNextLineWhenValueRunsPastItsColumn_data();
    void countMovesToNextLineWhenValueRunsPastItsColumn();
    void germanDecimalSeparator();
    void buildingTwiceGivesTheSamePage();
    void dataRowAgreesWithTheReport();
};

namespace {

constexpr int firstTableRow = 6; // six empty lines precede the title

// A row with each text starting at its column.
QString row(std::initializer_list<std::pair<int, QString>> items)
{
    QString text;
    for (const auto &[column, item] : items) {
        text = text.leftJustified(column - 1, QLatin1Char(' '));
        text += item;
    }
    return text;
}

SessionFields fieldsOf(std::optional<qint32> sample, std::optional<qint32> talk, qint16 clutter,
                       std::optional<qint32> talkCount, qint16 clutterCount)
{
    SessionFields fields;
    fields.sampleTicks = sample;
    fields.talkTicks = talk;
    fields.clutterTicks = clutter;
    fields.talkCount = talkCount;
    fields.clutterCount = clutterCount;
    return fields;
}

QStringList rowsOf(const SessionFields &fields)
{
    return reportlayout::asText(SessionReport::build(fields));
}

// Table line n (1 to 18) when no line wrapped.
QString tableLine(const QStringList &rows, int n) { return rows.value(firstTableRow + n - 1); }

} // namespace

void TestSessionReport::init() { QLocale::setDefault(QLocale::c()); }
void TestSessionReport::cleanup() { QLocale::setDefault(QLocale::c()); }

void TestSessionReport::workedExampleLineByLine()
{
    const QStringList rows = rowsOf(fieldsOf(62, 31, 6, 2, 1));
    const QString equals(58, QLatin1Char('='));
    const QStringList expected = {
        "",
        "",
        "",
        "",
        "",
        "",
        row({{10, equals}}),
        row({{10, "RESULTS of the Tallymere"}}),
        row({{10, equals}}),
        row({{10, "Measure:"}, {57, "Value: "}}),
        row({{10, QString(33, '_')}, {57, QString(16, '_')}}),
        row({{10, "Total sample duration : "}, {57, " 12.4  s."}}),
        row({{13, "- Percentage silences/pauses : "}, {57, "50.0 %"}}),
        row({{13, "- Percentage (all) talking time : "}, {57, "50.0 %"}}),
        row({{10, "Total talking time : "}, {57, " 6.2  s."}, {67, "(n= 2 )"}}),
        row({{13, "- Percentage clutter-free talking time : "}, {57, "80.6 %"}}),
        row({{13, "- Percentage talking time cluttered : "}, {57, "19.4 %"}}),
        row({{10, "Total cluttering time : "}, {57, " 1.2  s."}, {67, "(n= 1 )"}}),
        row({{10, "Percentage sample duration cluttered : "}, {57, "9.7 %"}}),
        row({{10, "Mean interval duration talking time : "}, {57, "3.10  s."}}),
        row({{10, "Mean interval duration cluttering time : "}, {57, "1.20  s."}}),
        row({{10, "Cluttering intervals/min (sample duration) : "}, {57, "4.84 "}}),
        row({{10, "Cluttering intervals/min (talking time) : "}, {57, "9.68 "}}),
        row({{10, QString(59, '_')}}),
    };
    QCOMPARE(rows.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(rows.at(i), expected.at(i));
}

void TestSessionReport::measures_data()
{
    QTest::addColumn<SessionFields>("fields");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("value"); // the line from column 57 on

    const SessionFields silent = fieldsOf(40, std::nullopt, 0, std::nullopt, 0);
    QTest::newRow("no talking: silences") << silent << 7 << "100.0 %";
    QTest::newRow("no talking: talking share") << silent << 8 << "0.0 %";
    QTest::newRow("no talking: unset time and count") << silent << 9 << " 0  s.    (n=)";
    QTest::newRow("no talking: clutter-free n/a") << silent << 10 << "  n/a ";
    QTest::newRow("no talking: cluttered n/a") << silent << 11 << "  n/a ";
    QTest::newRow("no talking: mean talk n/a keeps s.") << silent << 14 << "  n/a  s.";
    QTest::newRow("no talking: rate per talk n/a") << silent << 17 << "  n/a ";
    const SessionFields zeroTalk = fieldsOf(40, 0, 0, 0, 0);
    QTest::newRow("zero talking: count 0") << zeroTalk << 9 << " 0  s.    (n= 0 )";
    QTest::newRow("zero talking: mean n/a") << zeroTalk << 14 << "  n/a  s.";

    const SessionFields noClutter = fieldsOf(50, 30, 0, 3, 0);
    QTest::newRow("no cluttering: time and count") << noClutter << 12 << " 0  s.    (n= 0 )";
    QTest::newRow("no cluttering: sample share") << noClutter << 13 << "0.0 %";
    QTest::newRow("no cluttering: mean n/a keeps s.") << noClutter << 15 << "  n/a  s.";
    QTest::newRow("no cluttering: rate per sample") << noClutter << 16 << "0.00 ";
    QTest::newRow("no cluttering: clutter-free") << noClutter << 10 << "100.0 %";
    QTest::newRow("no cluttering: cluttered") << noClutter << 11 << "0.0 %";
    QTest::newRow("no cluttering: rate per talk") << noClutter << 17 << "0.00 ";

    QTest::newRow("below one second: no leading zero")
        << fieldsOf(20, 3, 0, 1, 0) << 9 << " .6  s.   (n= 1 )";
    QTest::newRow("whole seconds: no decimals") << fieldsOf(10, 0, 0, 0, 0) << 6 << " 2  s.";
    QTest::newRow("half rounds away from zero") << fieldsOf(16, 1, 0, 1, 0) << 8 << "6.3 %";
    QTest::newRow("negative divisor n/a") << fieldsOf(10, -5, 0, -1, 0) << 14 << "  n/a  s.";
}

void TestSessionReport::measures()
{
    QFETCH(SessionFields, fields);
    QFETCH(int, line);
    QFETCH(QString, value);
    QCOMPARE(tableLine(rowsOf(fields), line).mid(56), value);
}

void TestSessionReport::unsetTalkCountPrintsEmptyCount()
{
    const QString line9 = tableLine(rowsOf(fieldsOf(25, 10, 0, std::nullopt, 0)), 9);
    QCOMPARE(line9, row({{10, "Total talking time : "}, {57, " 2  s."}, {67, "(n=)"}}));
}

void TestSessionReport::countMovesToNextLineWhenValueRunsPastItsColumn_data()
{
    QTest::addColumn<SessionFields>("fields");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("expected"); // the rows the line takes

    QTest::newRow("value ends exactly at column 67: same line")
        << fieldsOf(70000, 61725, 0, 4, 0) << 9
        << QStringList{row({{10, "Total talking time : "}, {57, " 12345  s."}, {67, "(n= 4 )"}})};
    QTest::newRow("huge talking time: count on next line")
        << fieldsOf(2147483647, 2000000000, 0, 3, 0) << 9
        << QStringList{row({{10, "Total talking time : "}, {57, " 400000000  s."}}),
                       row({{67, "(n= 3 )"}})};
    QTest::newRow("longest cluttering time: count on next line")
        << fieldsOf(40000, 39000, 32767, 9, 32767) << 12
        << QStringList{row({{10, "Total cluttering time : "}, {57, " 6553.4  s."}}),
                       row({{67, "(n= 32767 )"}})};
}

void TestSessionReport::countMovesToNextLineWhenValueRunsPastItsColumn()
{
    QFETCH(SessionFields, fields);
    QFETCH(int, line);
    QFETCH(QStringList, expected);
    const QStringList rows = rowsOf(fields);
    QCOMPARE(rows.mid(firstTableRow + line - 1, expected.size()), expected);
    // The wrap pushes every later line one row down and the page keeps all 18 lines.
    QCOMPARE(rows.size(), firstTableRow + 18 + expected.size() - 1);
    QCOMPARE(rows.last(), row({{10, QString(59, '_')}}));
}

void TestSessionReport::germanDecimalSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QStringList rows = rowsOf(fieldsOf(62, 31, 6, 2, 1));
    QCOMPARE(tableLine(rows, 6).mid(56), QStringLiteral(" 12,4  s."));
    QCOMPARE(tableLine(rows, 7).mid(56), QStringLiteral("50,0 %"));
    QCOMPARE(tableLine(rows, 12).mid(56), QStringLiteral(" 1,2  s.  (n= 1 )"));
    QCOMPARE(tableLine(rows, 14).mid(56), QStringLiteral("3,10  s."));
    QCOMPARE(tableLine(rows, 17).mid(56), QStringLiteral("9,68 "));
}

void TestSessionReport::buildingTwiceGivesTheSamePage()
{
    const SessionFields fields = fieldsOf(62, 31, 6, 2, 1);
    QCOMPARE(rowsOf(fields), rowsOf(fields));
    QCOMPARE(SessionReport::build(fields).title(), SessionReport::build(fields).title());
}

// Each exported value is the report's as a plain number with ".": "  n/a " and "(n=)" empty,
// " .6 " 0.6, "50,0 %" 50.0.
void TestSessionReport::dataRowAgreesWithTheReport()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QList<std::pair<SessionFields, QLocale>> cases = {
        {fieldsOf(62, 31, 6, 2, 1), QLocale::c()},
        {fieldsOf(62, 31, 6, 2, 1), german},
        {fieldsOf(40, std::nullopt, 0, std::nullopt, 0), german},
        {fieldsOf(50, 30, 0, 3, 0), QLocale::c()},
        {fieldsOf(20, 3, 0, 1, 0), QLocale::c()}};
    const int columnOfLine[] = {1, 6, 7, 2, 8, 9, 4, 10, 11, 12, 13, 14}; // lines 6 to 17
    for (const auto &[fields, locale] : cases) {
        QLocale::setDefault(locale);
        const QStringList values = RecordRow::session(fields, QDateTime()).values();
        const auto plain = [&](QString text) {
            text = text.remove(" s.").remove('%').remove("(n=").remove(')').trimmed();
            text.replace(locale.decimalPoint(), ".");
            return text == "n/a" ? QString() : text.startsWith('.') ? '0' + text : text;
        };
        for (int line = 6; line <= 17; ++line) {
            const QString value = tableLine(rowsOf(fields), line).mid(56);
            QCOMPARE(values.at(columnOfLine[line - 6]), plain(value.left(10)));
            if (line == 9 || line == 12) // the interval count
                QCOMPARE(values.at(columnOfLine[line - 6] + 1), plain(value.mid(10)));
        }
    }
    const QDateTime utc(QDate(2026, 12, 9), QTime(14, 32, 5), Qt::UTC);
    const RecordRow row = RecordRow::session(fieldsOf(62, 31, 6, 2, 1), utc);
    QCOMPARE(CsvTable::line(row.columns()) + CsvTable::line(row.values()),
             "exported_at,sample_s,talk_s,talk_n,clutter_s,clutter_n,silence_pct,talking_pct,"
             "clutter_free_talk_pct,cluttered_talk_pct,cluttered_sample_pct,talk_mean_s,"
             "clutter_mean_s,clutter_per_min_sample,clutter_per_min_talk\r\n"
             "2026-12-09T14:32:05+00:00,12.4,6.2,2,1.2,1,50.0,50.0,80.6,19.4,9.7,3.10,1.20,4.84,"
             "9.68\r\n");
}

QTEST_GUILESS_MAIN(TestSessionReport)
#include "test_session_report.moc"
