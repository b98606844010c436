#include "core/text/NumberText.h"

#include <QLocale>
#include <QTest>

// Number texts under English and German separators, including the rounding a person would do
// on the decimal number they read (0.0625 -> "6.3 %", never "6.2 %").
class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void plain_data();
    void plain();
    void signedText_data();
    void signedText();
    void printed_data();
    void printed();
    void pattern_data();
    void pattern();
    void localeDefault();
    void tickMultiplesRoundTrip();
};

void TestNumberText::plain_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fifth") << 0.2 << "."
                           << "0.2";
    QTest::newRow("whole") << 3.0 << "."
                           << "3";
    QTest::newRow("62 ticks") << 62 / 5.0 << "."
                              << "12.4";
    QTest::newRow("61.4") << 61.4 << "."
                          << "61.4";
    QTest::newRow("zero") << 0.0 << "."
                          << "0";
    QTest::newRow("german") << 61.4 << ","
                            << "61,4";
    QTest::newRow("german below one") << 0.6 << ","
                                      << "0,6";
    QTest::newRow("large") << 6553.4 << "."
                           << "6553.4";
    QTest::newRow("32 bit ticks") << 2147483647 / 5.0 << "."
                                  << "429496729.4";
    QTest::newRow("negative") << -1.5 << "."
                              << "-1.5";
    QTest::newRow("third") << 1 / 3.0 << "."
                           << "0.333333333333333";
    QTest::newRow("exponent") << 1e16 << "."
                              << "1E+16";
}

void TestNumberText::plain()
{
    QFETCH(double, value);
    QFETCH(QString, decimal);
    QFETCH(QString, expected);
    QCOMPARE(numbertext::plain(value, decimal), expected);
}

void TestNumberText::signedText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 3.0 << " 3";
    QTest::newRow("decimal") << 61.4 << " 61.4";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("below one") << 0.2 << " .2";
    QTest::newRow("one tick") << 1 / 5.0 << " .2";
    QTest::newRow("negative") << -0.2 << "-.2";
    QTest::newRow("count") << 32767.0 << " 32767";
}

void TestNumberText::signedText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(numbertext::signedText(value), expected); // always "." whatever the locale
    QLocale::setDefault(QLocale::c());
    QCOMPARE(numbertext::signedText(value), expected);
}

void TestNumberText::printed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("expected");
    QTest::newRow("12.4") << 12.4 << "."
                          << " 12.4 ";
    QTest::newRow("2") << 2.0 << "."
                       << " 2 ";
    QTest::newRow("0.6") << 0.6 << "."
                         << " .6 ";
    QTest::newRow("0") << 0.0 << "."
                       << " 0 ";
    QTest::newRow("german") << 12.4 << ","
                            << " 12,4 ";
    QTest::newRow("german below one") << 0.6 << ","
                                      << " ,6 ";
}

void TestNumberText::printed()
{
    QFETCH(double, value);
    QFETCH(QString, decimal);
    QFETCH(QString, expected);
    QCOMPARE(numbertext::printed(value, decimal), expected);
}

void TestNumberText::pattern_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("expected");
    QTest::newRow("60%") << 0.6 << "0.0 %"
                         << "."
                         << "60.0 %";
    QTest::newRow("third") << 1 / 3.0 << "0.0 %"
                           << "."
                           << "33.3 %";
    QTest::newRow("zero %") << 0.0 << "0.0 %"
                            << "."
                            << "0.0 %";
    QTest::newRow("one %") << 1.0 << "0.0 %"
                           << "."
                           << "100.0 %";
    QTest::newRow("half up, not to even") << 0.0625 << "0.0 %"
                                          << "."
                                          << "6.3 %";
    QTest::newRow("binary below half") << 0.285 << "0.0 %"
                                       << "."
                                       << "28.5 %";
    QTest::newRow("6/31") << 6 / 31.0 << "0.0 %"
                          << "."
                          << "19.4 %";
    QTest::newRow("25/31") << 25 / 31.0 << "0.0 %"
                           << "."
                           << "80.6 %";
    QTest::newRow("6/62") << 6 / 62.0 << "0.0 %"
                          << "."
                          << "9.7 %";
    QTest::newRow("2.00") << 2.0 << "0.00 "
                          << "."
                          << "2.00 ";
    QTest::newRow("0.35") << 0.35 << "0.00 "
                          << "."
                          << "0.35 ";
    QTest::newRow("12.00") << 12.0 << "0.00 "
                           << "."
                           << "12.00 ";
    QTest::newRow("1.005 from decimal form") << 1.005 << "0.00 "
                                             << "."
                                             << "1.01 ";
    QTest::newRow("300/62") << 300 / 62.0 << "0.00 "
                            << "."
                            << "4.84 ";
    QTest::newRow("rate carry") << 9.995 << "0.00 "
                                << "."
                                << "10.00 ";
    QTest::newRow("### small") << 0.005 << "###.0 %"
                               << "."
                               << ".5 %";
    QTest::newRow("### zero") << 0.0 << "###.0 %"
                              << "."
                              << ".0 %";
    QTest::newRow("### full") << 1.0 << "###.0 %"
                              << "."
                              << "100.0 %";
    QTest::newRow("### carry to one") << 0.0099999 << "###.0 %"
                                      << "."
                                      << "1.0 %";
    QTest::newRow("#.0 one") << 1.0 << "#.0"
                             << "."
                             << "1.0";
    QTest::newRow("#.0 nine") << 9.0 << "#.0"
                              << "."
                              << "9.0";
    QTest::newRow("#.0 half") << 5.05 << "#.0"
                              << "."
                              << "5.1";
    QTest::newRow("german %") << 1 / 3.0 << "0.0 %"
                              << ","
                              << "33,3 %";
    QTest::newRow("german ###") << 0.005 << "###.0 %"
                                << ","
                                << ",5 %";
    QTest::newRow("german #.0") << 5.0 << "#.0"
                                << ","
                                << "5,0";
    QTest::newRow("negative") << -0.25 << "0.0 %"
                              << "."
                              << "-25.0 %";
    QTest::newRow("negative to zero") << -0.0001 << "0.0 %"
                                      << "."
                                      << "0.0 %";
}

void TestNumberText::pattern()
{
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, decimal);
    QFETCH(QString, expected);
    QCOMPARE(numbertext::pattern(value, format, decimal), expected);
}

void TestNumberText::localeDefault()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(numbertext::plain(12.4), QStringLiteral("12,4"));
    QCOMPARE(numbertext::printed(0.6), QStringLiteral(" ,6 "));
    QCOMPARE(numbertext::printed(std::optional<double>()), QString());
    QCOMPARE(numbertext::pattern(0.6, QStringLiteral("0.0 %")), QStringLiteral("60,0 %"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(numbertext::plain(12.4), QStringLiteral("12.4"));
    QCOMPARE(numbertext::pattern(0.6, QStringLiteral("0.0 %")), QStringLiteral("60.0 %"));
    QLocale::setDefault(QLocale::c());
}

void TestNumberText::tickMultiplesRoundTrip()
{
    // Every time shown is a whole number of ticks divided by 5: its text must read back exactly.
    for (qint32 ticks = 0; ticks <= 40000; ++ticks) {
        const double seconds = ticks / 5.0;
        const QString text = numbertext::plain(seconds, QStringLiteral("."));
        QCOMPARE(text.toDouble(), seconds);
        QVERIFY2(!text.endsWith(QLatin1Char('.')), qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
