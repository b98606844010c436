#include "core/reports/SessionReport.h"

#include "core/session/SessionResults.h"
#include "core/text/NumberText.h"

#include <optional>

namespace {

using Measure = SessionResults::Measure;

const QString secondsUnit = QStringLiteral(" s.");

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

ReportLine SessionReport::timeWithCount(const QString &label, const QString &seconds,
                                        const QString &count)
{
    ReportLine line = measure(labelColumn, label, seconds + secondsUnit);
    line.append({countColumn, count});
    return line;
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
    const SessionResults results(fields);
    const auto text = [&results](Measure m) { return results.text(m); };
    const std::optional<double> talkCount =
        fields.talkCount ? std::optional<double>(*fields.talkCount) : std::nullopt;

    page.addLine(measure(labelColumn, QStringLiteral("Total sample duration : "),
                         text(Measure::SampleSeconds) + secondsUnit));
    // Shares of the sample divide by sampleTicks: the print command never gets here with an
    // empty stopwatch, and a non-positive one would still print "  n/a " rather than nonsense.
    page.addLine(measure(subMeasureColumn, QStringLiteral("- Percentage silences/pauses : "),
                         text(Measure::PercentSampleSilent)));
    page.addLine(measure(subMeasureColumn, QStringLiteral("- Percentage (all) talking time : "),
                         text(Measure::PercentSampleSpoken)));
    page.addLine(timeWithCount(QStringLiteral("Total talking time : "), text(Measure::TalkSeconds),
                               countText(talkCount)));
    page.addLine(measure(subMeasureColumn,
                         QStringLiteral("- Percentage clutter-free talking time : "),
                         text(Measure::PercentTalkClutterFree)));
    page.addLine(measure(subMeasureColumn, QStringLiteral("- Percentage talking time cluttered : "),
                         text(Measure::PercentTalkCluttered)));
    page.addLine(timeWithCount(QStringLiteral("Total cluttering time : "),
                               text(Measure::ClutterSeconds), countText(fields.clutterCount)));
    page.addLine(measure(labelColumn, QStringLiteral("Percentage sample duration cluttered : "),
                         text(Measure::PercentSampleCluttered)));
    page.addLine(measure(labelColumn, QStringLiteral("Mean interval duration talking time : "),
                         text(Measure::MeanSpeechInterval) + secondsUnit));
    page.addLine(measure(labelColumn, QStringLiteral("Mean interval duration cluttering time : "),
                         text(Measure::MeanClutterInterval) + secondsUnit));
    page.addLine(measure(labelColumn,
                         QStringLiteral("Cluttering intervals/min (sample duration) : "),
                         text(Measure::ClutterRatePerSampleMin)));
    page.addLine(measure(labelColumn, QStringLiteral("Cluttering intervals/min (talking time) : "),
                         text(Measure::ClutterRatePerTalkMin)));
}
