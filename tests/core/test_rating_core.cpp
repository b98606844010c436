#include "core/ratings/RatingCore.h"
#include "core/ratings/RatingFields.h"
#include "core/ratings/ScaleTable.h"

#include <QLocale>
#include <QSet>
#include <QTest>

// The two score texts over every position a press can give, and the press arithmetic: which
// lines it paints, what it stores and which texts it shows.
class TestRatingCore : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void texts_data();
    void texts();
    void everyPositionHasItsOwnPercentText();
    void nineTextsRunFromOneToNine();
    void textsStayInRange();
    void germanSeparator_data();
    void germanSeparator();
    void pressPaintsEraseThenMark_data();
    void pressPaintsEraseThenMark();
    void pressOnFieldsStoresOnlyItsScale_data();
    void pressOnFieldsStoresOnlyItsScale();
    void tableOrderAndNames();
};

void TestRatingCore::texts_data()
{
    QTest::addColumn<float>("rating");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("nine");
    QTest::newRow("0") << 0.0f << ".0 %"
                       << "1.0";
    QTest::newRow("1") << 1.0f << ".1 %"
                       << "1.0";
    QTest::newRow("3") << 3.0f << ".4 %"
                       << "1.0";
    QTest::newRow("4") << 4.0f << ".5 %"
                       << "1.0";
    QTest::newRow("5") << 5.0f << ".6 %"
                       << "1.1";
    QTest::newRow("8") << 8.0f << "1.0 %"
                       << "1.1";
    QTest::newRow("389") << 389.0f << "50.0 %"
                         << "5.0";
    QTest::newRow("700") << 700.0f << "90.0 %"
                         << "8.2";
    QTest::newRow("777") << 777.0f << "99.9 %"
                         << "9.0";
    QTest::newRow("778") << 778.0f << "100.0 %"
                         << "9.0";
}

void TestRatingCore::texts()
{
    QFETCH(float, rating);
    QFETCH(QString, percent);
    QFETCH(QString, nine);
    QCOMPARE(RatingCore::PercentScoreText(rating), percent);
    QCOMPARE(RatingCore::NineScoreText(rating), nine);
}

void TestRatingCore::everyPositionHasItsOwnPercentText()
{
    QSet<QString> seen;
    for (int x = 0; x <= 778; ++x)
        seen.insert(RatingCore::PercentScoreText(static_cast<float>(x)));
    QCOMPARE(seen.size(), 779);
}

void TestRatingCore::nineTextsRunFromOneToNine()
{
    QSet<QString> seen;
    for (int x = 0; x <= 778; ++x)
        seen.insert(RatingCore::NineScoreText(static_cast<float>(x)));
    QSet<QString> expected;
    for (int tenths = 10; tenths <= 90; ++tenths)
        expected.insert(QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10));
    QCOMPARE(seen, expected);
}

void TestRatingCore::textsStayInRange()
{
    // Each text, read back as a number, lies within a twentieth of the exact score: the single
    // precision quotient never shifts a text to a neighbouring tenth.
    for (int x = 0; x <= 778; ++x) {
        const float rating = static_cast<float>(x);
        QString percent = RatingCore::PercentScoreText(rating);
        QVERIFY(percent.endsWith(QLatin1String(" %")));
        percent.chop(2);
        const double shownPercent = percent.toDouble();
        QVERIFY2(qAbs(shownPercent - x * 100.0 / 778) <= 0.05 + 1e-9, qPrintable(percent));
        QCOMPARE(RatingCore::PercentScore(rating), shownPercent); // the score a reader is given
        const double shownNine = RatingCore::NineScoreText(rating).toDouble();
        QVERIFY(qAbs(shownNine - (x * 8.0 / 778 + 1)) <= 0.05 + 1e-9);
    }
}

void TestRatingCore::germanSeparator_data()
{
    QTest::addColumn<float>("rating");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("nine");
    QTest::newRow("0") << 0.0f << ",0 %"
                       << "1,0";
    QTest::newRow("4") << 4.0f << ",5 %"
                       << "1,0";
    QTest::newRow("389") << 389.0f << "50,0 %"
                         << "5,0";
    QTest::newRow("778") << 778.0f << "100,0 %"
                         << "9,0";
}

void TestRatingCore::germanSeparator()
{
    QFETCH(float, rating);
    QFETCH(QString, percent);
    QFETCH(QString, nine);
    QCOMPARE(RatingCore::PercentScoreText(rating, QStringLiteral(",")), percent);
    QCOMPARE(RatingCore::NineScoreText(rating, QStringLiteral(",")), nine);
    // Without an explicit separator the user's locale decides.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(RatingCore::PercentScoreText(rating), percent);
    QCOMPARE(RatingCore::NineScoreText(rating), nine);
}

void TestRatingCore::pressPaintsEraseThenMark_data()
{
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("x");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("nine");
    QTest::newRow("first press at the left end") << 0.0f << 0.0f << ".0 %"
                                                 << "1.0";
    QTest::newRow("first press at the right end") << 0.0f << 778.0f << "100.0 %"
                                                  << "9.0";
    QTest::newRow("moving a mark left") << 700.0f << 389.0f << "50.0 %"
                                        << "5.0";
    QTest::newRow("same place twice") << 389.0f << 389.0f << "50.0 %"
                                      << "5.0";
}

void TestRatingCore::pressPaintsEraseThenMark()
{
    QFETCH(float, current);
    QFETCH(float, x);
    QFETCH(QString, percent);
    QFETCH(QString, nine);
    const BarPress press = RatingCore::press(current, x);
    const Rgb white{255, 255, 255};
    const Rgb lightRed{255, 128, 128};
    QCOMPARE(press.erase, (BarLine{QLineF(current, 0, current, 21), white}));
    QCOMPARE(press.mark, (BarLine{QLineF(x, 0, x, 21), lightRed}));
    QCOMPARE(press.rating, x);
    QCOMPARE(press.percentText, percent);
    QCOMPARE(press.nineText, nine);
}

void TestRatingCore::pressOnFieldsStoresOnlyItsScale_data()
{
    QTest::addColumn<int>("scale");
    for (int i = 0; i < ScaleTable::count; ++i)
        QTest::newRow(ScaleTable::rows()[i].barName) << i;
}

void TestRatingCore::pressOnFieldsStoresOnlyItsScale()
{
    QFETCH(int, scale);
    const ScaleRow &row = ScaleTable::rows()[scale];
    RatingFields fields;
    RatingCore::press(fields, row, 120);
    const BarPress second = RatingCore::press(fields, row, 300);
    QCOMPARE(second.erase.line.x1(), 120.0); // the old mark is painted over
    for (const ScaleRow &other : ScaleTable::rows()) {
        const bool same = &other == &row;
        QCOMPARE(fields.*other.field, same ? 300.0f : 0.0f);
        QCOMPARE(fields.*other.rated, same);
    }
}

void TestRatingCore::tableOrderAndNames()
{
    // Screen and report order, with the report's own labels and the two reversed fields.
    const auto rows = ScaleTable::rows();
    QCOMPARE(rows.size(), std::size_t{9});
    QCOMPARE(QString::fromLatin1(rows[4].title), QStringLiteral("Overall articulation  accuracy"));
    QCOMPARE(QString::fromLatin1(rows[4].reportLabel),
             QStringLiteral("Overall articulation accuracy"));
    QCOMPARE(QString::fromLatin1(rows[0].reportLabel), QStringLiteral("Speaking rate"));
    QVERIFY(rows[6].field == &RatingFields::ratingPragmaticLanguageAppropriateness);
    QVERIFY(rows[7].field == &RatingFields::ratingLanguageCoherence);
    QCOMPARE(QString::fromLatin1(rows[8].scorePlaceholder), QStringLiteral(" Note"));
    QCOMPARE(ScaleTable::byBar(u"NaturalnessScale"), &rows[5]);
    QCOMPARE(ScaleTable::byBar(u"Naturalness"), nullptr);
    for (const ScaleRow &row : rows) {
        QCOMPARE(QString::fromLatin1(row.titleLabel.caption), QString::fromLatin1(row.title));
        QCOMPARE(row.barTop - row.captionTop, row.barTop >= 7920 && row.barTop <= 8880 ? 480 : 360);
        QCOMPARE(QString::fromLatin1(row.barName).chopped(5),
                 QString::fromLatin1(row.scoreName).chopped(5));
    }
}

QTEST_GUILESS_MAIN(TestRatingCore)
#include "test_rating_core.moc"
