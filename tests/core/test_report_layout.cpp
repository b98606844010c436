#include "core/reports/ReportLayout.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<ReportLine>)
Q_DECLARE_METATYPE(QList<PlacedText>)

// The column-stop rule, measured with a fake fixed-width font whose characters are all 2 units
// wide: column n then starts at x = 2 (n - 1).
class TestReportLayout : public QObject {
    Q_OBJECT

private slots:
    void place_data();
    void place();
    void asText_data();
    void asText();
    void proportionalWidthsStopAtTheColumnNotTheCharacterCount();
};

namespace {

constexpr double charWidth = 2;

double fixedWidth(const QString &text) { return charWidth * static_cast<double>(text.size()); }

ReportPage pageOf(const QList<ReportLine> &lines)
{
    ReportPage page;
    for (const ReportLine &line : lines)
        page.addLine(line);
    return page;
}

} // namespace

void TestReportLayout::place_data()
{
    QTest::addColumn<QList<ReportLine>>("lines");
    QTest::addColumn<QList<PlacedText>>("expected");

    QTest::newRow("column 1 is the left edge")
        << QList<ReportLine>{{{1, "ab"}}} << QList<PlacedText>{{0, 0, "ab"}};
    QTest::newRow("column 10 lies 9 widths right")
        << QList<ReportLine>{{{10, "x"}}} << QList<PlacedText>{{0, 18, "x"}};
    QTest::newRow("stop ahead: same line")
        << QList<ReportLine>{{{1, "a"}, {5, "b"}}} << QList<PlacedText>{{0, 0, "a"}, {0, 8, "b"}};
    QTest::newRow("exactly at the stop: stays")
        << QList<ReportLine>{{{1, "ab"}, {3, "c"}}} << QList<PlacedText>{{0, 0, "ab"}, {0, 4, "c"}};
    QTest::newRow("past the stop: next line") << QList<ReportLine>{{{1, "abc"}, {3, "d"}}}
                                              << QList<PlacedText>{{0, 0, "abc"}, {1, 4, "d"}};
    QTest::newRow("past by a whole line of text")
        << QList<ReportLine>{{{57, "123456789012345"}, {67, "(n=)"}}}
        << QList<PlacedText>{{0, 112, "123456789012345"}, {1, 132, "(n=)"}};
    QTest::newRow("a wrapped line ends one row lower")
        << QList<ReportLine>{{{1, "abcdef"}, {2, "x"}}, {{1, "y"}}}
        << QList<PlacedText>{{0, 0, "abcdef"}, {1, 2, "x"}, {2, 0, "y"}};
    QTest::newRow("each line starts at the left edge")
        << QList<ReportLine>{{{5, "abc"}}, {{1, "d"}}}
        << QList<PlacedText>{{0, 8, "abc"}, {1, 0, "d"}};
    QTest::newRow("empty lines are line breaks alone")
        << QList<ReportLine>{{}, {}, {{2, "z"}}, {}, {{1, "w"}}}
        << QList<PlacedText>{{2, 2, "z"}, {4, 0, "w"}};
    QTest::newRow("an empty item still moves to its stop")
        << QList<ReportLine>{{{1, "ab"}, {4, ""}, {4, "c"}}}
        << QList<PlacedText>{{0, 0, "ab"}, {0, 6, ""}, {0, 6, "c"}};
    QTest::newRow("a stop to the left wraps")
        << QList<ReportLine>{{{10, "a"}, {5, "b"}}} << QList<PlacedText>{{0, 18, "a"}, {1, 8, "b"}};
}

void TestReportLayout::place()
{
    QFETCH(QList<ReportLine>, lines);
    QFETCH(QList<PlacedText>, expected);
    QCOMPARE(reportlayout::place(pageOf(lines), charWidth, fixedWidth), expected);
}

void TestReportLayout::asText_data()
{
    QTest::addColumn<QList<ReportLine>>("lines");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("stops and wraps")
        << QList<ReportLine>{{{3, "ab"}, {6, "cd"}}, {{1, "xyz"}, {2, "q"}}}
        << QStringList{"  ab cd", "xyz", " q"};
    QTest::newRow("leading and trailing empty lines")
        << QList<ReportLine>{{}, {{2, "a"}}, {}} << QStringList{"", " a", ""};
    QTest::newRow("no lines") << QList<ReportLine>{} << QStringList{};
}

void TestReportLayout::asText()
{
    QFETCH(QList<ReportLine>, lines);
    QFETCH(QStringList, expected);
    QCOMPARE(reportlayout::asText(pageOf(lines)), expected);
}

void TestReportLayout::proportionalWidthsStopAtTheColumnNotTheCharacterCount()
{
    // "iii" in a narrow face ends before column 3, "WWW" in a wide one after it.
    const auto measure = [](const QString &text) {
        const auto n = static_cast<double>(text.size());
        return text.startsWith(QLatin1Char('i')) ? n : 3 * n;
    };
    const ReportPage page = pageOf({{{1, "iii"}, {3, "a"}}, {{1, "WWW"}, {3, "b"}}});
    const QList<PlacedText> placed = reportlayout::place(page, charWidth, measure);
    QCOMPARE(placed.at(1), (PlacedText{0, 4, "a"}));
    QCOMPARE(placed.at(3), (PlacedText{2, 4, "b"}));
}

QTEST_GUILESS_MAIN(TestReportLayout)
#include "test_report_layout.moc"
