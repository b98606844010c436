#include "core/reports/SessionReport.h"

#include "core/text/NumberText.h"

#include <optional>

namespace {

constexpr double ticksPerSecond = 5;
constexpr double ticksPerMinute = 300;
const QString secondsUnit = QStringLiteral(" s.");
const QString percent = QStringLiteral("0.0 %");
const QString twoDecimals = QStringLiteral("0.00 ");

double valueOf(const std::optional<qint32> &field) { return field ? *field : 0; }

// A count as a printed number; an unset count prints as nothing, so the line ends in "(n=)".
QString countText(std::optional<double> count)
{
    return QStringLiteral("(n=") + numbertext::printed(count) + QLatin1Char(')');
}

} // namespace

ReportLine SessionReport::measure(int column, const QString &label, const QString &value)
{
    return {{column, label}, {valueColumn, value}};
}

QString SessionReport::complement(double numerator, double divisor, const QString &pattern)
{
    if (!(divisor > 0))
        return QString::fromLatin1(ReportPage::notAvailable);
    return numbertext::pattern(1 - numerator / divisor, pattern);
}

ReportLine SessionReport::timeWithCount(const QString &label, double seconds, const QString &count)
{
    ReportLine line = measure(labelColumn, label, numbertext::printed(seconds) + secondsUnit);
    line.append({countColumn, count});
    return line;
}

QString SessionReport::ratio(double numerator, double divisor, const QString &pattern)
{
    if (!(divisor > 0))
        return QString::fromLatin1(ReportPage::notAvailable);
    return numbertext::pattern(numerator / divisor, pattern);
}

ReportPage SessionReport::build(const SessionFields &fields)
{
    ReportPage page(QStringLiteral("Tallymere session results"));
    page.addEmptyLines(leadingEmptyLines);
    addHeading(page);
    addMeasures(page, fields);
    page.addLine({{labelColumn, ReportPage::rule('_', 59)}});
    return page;
}

void SessionReport::addHeading(ReportPage &page)
{
    page.addLine({{labelColumn, ReportPage::rule('=', 58)}});
    page.addLine({{labelColumn, QStringLiteral("RESULTS of the Tallymere")}});
    page.addLine({{labelColumn, ReportPage::rule('=', 58)}});
    page.addLine(measure(labelColumn, QStringLiteral("Measure:"), QStringLiteral("Value: ")));
    page.addLine(measure(labelColumn, ReportPage::rule('_', 33), ReportPage::rule('_', 16)));
}

void SessionReport::addMeasures(ReportPage &page, const SessionFields &fields)
{
    const double sample = valueOf(fields.sampleTicks);
    const double talk = valueOf(fields.talkTicks);
    const double talkCount = valueOf(fields.talkCount);
    const double clutter = fields.clutterTicks;
    const double clutterCount = fields.clutterCount;
    const std::optional<double> talkCountPrinted =
        fields.talkCount ? std::optional<double>(*fields.talkCount) : std::nullopt;

    page.addLine(measure(labelColumn, QStringLiteral("Total sample duration : "),
                         numbertext::printed(sample / ticksPerSecond) + secondsUnit));
    // Shares of the sample divide by sampleTicks: the print command never gets here with an
    // empty stopwatch, and a non-positive one would still print "  n/a " rather than nonsense.
    page.addLine(measure(subMeasureColumn, QStringLiteral("- Percentage silences/pauses : "),
                         complement(talk, sample, percent)));
    page.addLine(measure(subMeasureColumn, QStringLiteral("- Percentage (all) talking time : "),
                         ratio(talk, sample, percent)));
    page.addLine(timeWithCount(QStringLiteral("Total talking time : "), talk / ticksPerSecond,
                               countText(talkCountPrinted)));
    page.addLine(measure(subMeasureColumn,
                         QStringLiteral("- Percentage clutter-free talking time : "),
                         complement(clutter, talk, percent)));
    page.addLine(measure(subMeasureColumn, QStringLiteral("- Percentage talking time cluttered : "),
                         ratio(clutter, talk, percent)));
    page.addLine(timeWithCount(QStringLiteral("Total cluttering time : "), clutter / ticksPerSecond,
                               countText(clutterCount)));
    page.addLine(measure(labelColumn, QStringLiteral("Percentage sample duration cluttered : "),
                         ratio(clutter, sample, percent)));
    page.addLine(measure(labelColumn, QStringLiteral("Mean interval duration talking time : "),
                         ratio(talk / ticksPerSecond, talkCount, twoDecimals) + secondsUnit));
    page.addLine(measure(labelColumn, QStringLiteral("Mean interval duration cluttering time : "),
                         ratio(clutter / ticksPerSecond, clutterCount, twoDecimals) + secondsUnit));
    page.addLine(measure(labelColumn,
                         QStringLiteral("Cluttering intervals/min (sample duration) : "),
                         ratio(clutterCount * ticksPerMinute, sample, twoDecimals)));
    page.addLine(measure(labelColumn, QStringLiteral("Cluttering intervals/min (talking time) : "),
                         ratio(clutterCount * ticksPerMinute, talk, twoDecimals)));
}
