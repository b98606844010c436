#include "core/reports/SessionReport.h"
#include "printing/ReportPdf.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QTest>

// The page a report is drawn on: paper and margins from the printer's figures, the printer font,
// and the PDF document itself.
class TestReportPdf : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void pageLayout_data();
    void pageLayout();
    void localeDefaultPage_data();
    void localeDefaultPage();
    void printerFontIsFixedPitchSoColumnsAreExact();
    void rendersAPdfDocument();
};

void TestReportPdf::cleanup() { QLocale::setDefault(QLocale::c()); }

void TestReportPdf::pageLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("margin"); // all four, hundredths of a millimetre
    QTest::addColumn<int>("pageId");
    QTest::addColumn<double>("expectedMarginMm");

    QTest::newRow("A4, borderless: the smallest margin")
        << 21000 << 29700 << 0 << int(QPageSize::A4) << ReportPdf::minimumMarginMm;
    QTest::newRow("Letter, printer's 4.2 mm: raised to the smallest")
        << 21590 << 27940 << 420 << int(QPageSize::Letter) << ReportPdf::minimumMarginMm;
    QTest::newRow("A4, printer's 10 mm kept")
        << 21000 << 29700 << 1000 << int(QPageSize::A4) << 10.0;
}

void TestReportPdf::pageLayout()
{
    QFETCH(int, width);
    QFETCH(int, length);
    QFETCH(int, margin);
    QFETCH(int, pageId);
    QFETCH(double, expectedMarginMm);
    const QPageLayout layout =
        ReportPdf::pageLayoutFor(width, length, margin, margin, margin, margin);
    QCOMPARE(int(layout.pageSize().id()), pageId);
    QCOMPARE(layout.orientation(), QPageLayout::Portrait);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    QCOMPARE(margins,
             QMarginsF(expectedMarginMm, expectedMarginMm, expectedMarginMm, expectedMarginMm));
}

void TestReportPdf::localeDefaultPage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("pageId");
    QTest::newRow("United States: Letter")
        << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Letter);
    QTest::newRow("Germany: A4") << QLocale(QLocale::German, QLocale::Germany)
                                 << int(QPageSize::A4);
    QTest::newRow("United Kingdom: A4")
        << QLocale(QLocale::English, QLocale::UnitedKingdom) << int(QPageSize::A4);
}

void TestReportPdf::localeDefaultPage()
{
    QFETCH(QLocale, locale);
    QFETCH(int, pageId);
    QLocale::setDefault(locale);
    QCOMPARE(int(ReportPdf::localeDefaultPage().pageSize().id()), pageId);
}

void TestReportPdf::printerFontIsFixedPitchSoColumnsAreExact()
{
    const QFont font = ReportPdf::font();
    QCOMPARE(font.pointSizeF(), 12.0);
    QVERIFY2(QFontInfo(font).fixedPitch(), qPrintable(QFontInfo(font).family()));
    QPdfWriter writer(QStringLiteral("/dev/null"));
    writer.setResolution(1200);
    const QFontMetricsF metrics(font, &writer);
    // Column n is n - 1 average widths from the edge; every character must be that wide.
    for (const QString &text : {QStringLiteral("i"), QStringLiteral("W"), QStringLiteral(" "),
                                QStringLiteral("%"), QStringLiteral("=")})
        QCOMPARE(metrics.horizontalAdvance(text), metrics.averageCharWidth());
    // 12 points at 0.6 em a character: 7.2 points, 120 units at 1200 dpi.
    QVERIFY(qAbs(metrics.averageCharWidth() - 120) < 0.5);
}

void TestReportPdf::rendersAPdfDocument()
{
    SessionFields fields;
    fields.sampleTicks = 62;
    const std::optional<QByteArray> pdf =
        ReportPdf::render(SessionReport::build(fields), ReportPdf::localeDefaultPage());
    QVERIFY(pdf.has_value());
    QVERIFY(pdf->startsWith("%PDF-"));
    QVERIFY(pdf->contains("/Count 1")); // one page
}

QTEST_MAIN(TestReportPdf)
#include "test_report_pdf.moc"
