#include "core/reports/RatingsReport.h"
#include "core/reports/RecordRow.h"
#include "core/reports/ReportLayout.h"

#include <QLocale>
#include <QTest>

#include <utility>

// The ratings report read back as fixed-width text rows, one character per column.
class TestRatingsReport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void titleAndHeads();
    void rows_data();
    void rows();
    void everyRowStaysOnOneLine();
    void germanDecimalSeparator();
};

namespace {

constexpr int firstTableRow = 6;
constexpr int firstFeatureRow = firstTableRow + 5;

QString row(std::initializer_list<std::pair<int, QString>> items)
{
    QString text;
    for (const auto &[column, item] : items) {
        text = text.leftJustified(column - 1, QLatin1Char(' '));
        text += item;
    }
    return text;
}

// Ratings in report order; a negative entry stands for a scale never pressed.
RatingFields fieldsOf(const QList<float> &ratings)
{
    RatingFields f;
    const std::pair<float RatingFields::*, bool RatingFields::*> order[] = {
        {&RatingFields::ratingSpeakingRate, &RatingFields::ratedSpeakingRate},
        {&RatingFields::ratingRateRegularity, &RatingFields::ratedRateRegularity},
        {&RatingFields::ratingDisfluency, &RatingFields::ratedDisfluency},
        {&RatingFields::ratingSyllableProductionIntegrity,
         &RatingFields::ratedSyllableProductionIntegrity},
        {&RatingFields::ratingOverallArticulationAccuracy,
         &RatingFields::ratedOverallArticulationAccuracy},
        {&RatingFields::ratingNaturalness, &RatingFields::ratedNaturalness},
        {&RatingFields::ratingPragmaticLanguageAppropriateness,
         &RatingFields::ratedPragmaticLanguageAppropriateness},
        {&RatingFields::ratingLanguageCoherence, &RatingFields::ratedLanguageCoherence},
        {&RatingFields::ratingThoughtOrganization, &RatingFields::ratedThoughtOrganization},
    };
    for (int i = 0; i < 9; ++i) {
        f.*order[i].first = std::max(ratings.at(i), 0.0f);
        f.*order[i].second = ratings.at(i) >= 0;
    }
    return f;
}

QStringList rowsOf(const RatingFields &fields)
{
    return reportlayout::asText(RatingsReport::build(fields));
}

const QStringList features = {"Speaking rate",
                              "Rate regularity",
                              "Disfluency",
                              "Syllable production integrity",
                              "Overall articulation accuracy",
                              "Naturalness",
                              "Pragmatic language appropriateness",
                              "Language coherence",
                              "Thought organization"};

} // namespace

void TestRatingsReport::init() { QLocale::setDefault(QLocale::c()); }

void TestRatingsReport::titleAndHeads()
{
    const QStringList rows = rowsOf(RatingFields{});
    QCOMPARE(rows.mid(0, firstTableRow), QStringList(firstTableRow, QString()));
    QCOMPARE(rows.at(6), row({{10, QString(53, '=')}}));
    QCOMPARE(rows.at(7),
             row({{10, "RESULTS of the Visual Analog Scale Perceptual Rating Procedure"}}));
    QCOMPARE(rows.at(8), row({{10, QString(53, '=')}}));
    QCOMPARE(rows.at(9), row({{10, "Perceptual Feature:"}, {50, "% score: "}, {65, "Scale 1-9"}}));
    QCOMPARE(rows.at(10),
             row({{10, QString(16, '_')}, {50, QString(9, '_')}, {65, QString(7, '_')}}));
    QCOMPARE(rows.at(firstFeatureRow + 9), row({{10, QString(54, '_')}}));
    QCOMPARE(rows.size(), firstFeatureRow + 10);
}

void TestRatingsReport::rows_data()
{
    QTest::addColumn<QList<float>>("ratings");
    QTest::addColumn<QStringList>("percent");
    QTest::addColumn<QStringList>("nine");

    const QString na = QStringLiteral("  n/a ");
    QTest::newRow("never pressed: n/a in both columns")
        << QList<float>(9, -1) << QStringList(9, na) << QStringList(9, na);
    QTest::newRow("pressed at X 0 is a rating")
        << QList<float>(9, 0) << QStringList(9, ".0 %") << QStringList(9, "1.0");
    QTest::newRow("mixed, in the report's order")
        << QList<float>{389, 778, 3, -1, 5, 700, 777, 8, 1}
        << QStringList{"50.0 %", "100.0 %", ".4 %", na, ".6 %", "90.0 %", "99.9 %", "1.0 %", ".1 %"}
        << QStringList{"5.0", "9.0", "1.0", na, "1.1", "8.2", "9.0", "1.1", "1.0"};
}

void TestRatingsReport::rows()
{
    QFETCH(QList<float>, ratings);
    QFETCH(QStringList, percent);
    QFETCH(QStringList, nine);
    const QStringList rows = rowsOf(fieldsOf(ratings));
    for (int i = 0; i < 9; ++i)
        QCOMPARE(rows.at(firstFeatureRow + i),
                 row({{10, features.at(i)}, {50, percent.at(i)}, {65, nine.at(i)}}));
    // The exported row agrees: position, 0-100 and 1-9 scores, empty where never rated.
    const RecordRow data = RecordRow::ratings(fieldsOf(ratings), QDateTime());
    const auto plain = [](QString text) {
        text = text.remove('%').trimmed();
        return text == "n/a" ? QString() : text.startsWith('.') ? '0' + text : text;
    };
    QCOMPARE(data.columns().size(), 28);
    QCOMPARE(data.columns().mid(0, 4), (QStringList{"exported_at", "speaking_rate_position",
                                                    "speaking_rate_0_100", "speaking_rate_1_9"}));
    for (int i = 0; i < 9; ++i) {
        QVERIFY(
            data.columns().at(1 + 3 * i).startsWith(features.at(i).toLower().replace(' ', '_')));
        QCOMPARE(data.values().at(1 + 3 * i),
                 ratings.at(i) < 0 ? QString() : QString::number(ratings.at(i)));
        QCOMPARE(data.values().at(2 + 3 * i), plain(percent.at(i)));
        QCOMPARE(data.values().at(3 + 3 * i), plain(nine.at(i)));
    }
}

void TestRatingsReport::everyRowStaysOnOneLine()
{
    // The widest texts of each column: the longest label, "100.0 %", "  n/a ".
    QCOMPARE(rowsOf(fieldsOf(QList<float>(9, 778))).size(), firstFeatureRow + 10);
    QCOMPARE(rowsOf(fieldsOf(QList<float>(9, -1))).size(), firstFeatureRow + 10);
}

void TestRatingsReport::germanDecimalSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QStringList rows = rowsOf(fieldsOf({389, 3, -1, -1, -1, -1, -1, -1, -1}));
    const RecordRow data = RecordRow::ratings(fieldsOf({389, 3, -1, -1, -1, -1, -1, -1, -1}), {});
    QLocale::setDefault(QLocale::c());
    QCOMPARE(data.values().mid(1, 6), (QStringList{"389", "50.0", "5.0", "3", "0.4", "1.0"}));
    QCOMPARE(rows.at(firstFeatureRow), row({{10, "Speaking rate"}, {50, "50,0 %"}, {65, "5,0"}}));
    QCOMPARE(rows.at(firstFeatureRow + 1),
             row({{10, "Rate regularity"}, {50, ",4 %"}, {65, "1,0"}}));
}

QTEST_GUILESS_MAIN(TestRatingsReport)
#include "test_ratings_report.moc"
