#include "core/reports/AgreementReport.h"

#include "core/reports/TimelineFiles.h"

namespace {

using Figures = Agreement::ChannelFigures;

QString na(const QString &text) { return text.isEmpty() ? QStringLiteral("n/a") : text; }

QString pair(const QString &a, const QString &b) { return na(a) + QStringLiteral(" / ") + na(b); }

QString mean(std::optional<double> seconds)
{
    return seconds ? QString::number(*seconds, 'f', 2) : QString();
}

ReportLine both(const QString &label, const QString &speech, const QString &cluttering)
{
    return {{AgreementReport::labelColumn, label},
            {AgreementReport::speechColumn, speech},
            {AgreementReport::clutterColumn, cluttering}};
}

void addKappa(ReportPage &page, const QString &unit, const Agreement::Kappa &speech,
              const Agreement::Kappa &cluttering)
{
    const auto parts = [](const Agreement::Kappa &k) {
        return k.table.units == 0 ? QStringLiteral("n/a")
                                  : Agreement::decimal3(k.observed) + QStringLiteral(" / ") +
                                        Agreement::decimal3(k.chance);
    };
    const auto shares = [](const Agreement::Kappa &k) {
        return k.table.units == 0 ? QStringLiteral("n/a")
                                  : Agreement::decimal3(k.shareA) + QStringLiteral(" / ") +
                                        Agreement::decimal3(k.shareB);
    };
    const auto prevalence = [](const Agreement::Kappa &k) {
        return k.table.units == 0 ? QStringLiteral("n/a") : Agreement::decimal3(k.prevalence);
    };
    page.addLine(both(QStringLiteral("Cohen's kappa by ") + unit + QStringLiteral(" :"),
                      na(Agreement::decimal3(speech.kappa)),
                      na(Agreement::decimal3(cluttering.kappa))));
    page.addLine(both(QStringLiteral("   po / pe :"), parts(speech), parts(cluttering)));
    page.addLine(
        both(QStringLiteral("   share marked, A / B :"), shares(speech), shares(cluttering)));
    page.addLine(
        both(QStringLiteral("   prevalence index :"), prevalence(speech), prevalence(cluttering)));
}

void addPercentages(ReportPage &page, const QString &label, const Agreement::Percentages &p)
{
    page.addLine(
        {{AgreementReport::labelColumn, label},
         {AgreementReport::speechColumn, pair(Agreement::percent(p.a), Agreement::percent(p.b))},
         {AgreementReport::clutterColumn, na(Agreement::percent(p.difference))}});
}

// A label and a name of any length after it, continued under the name where it is long.
void addNamed(ReportPage &page, const QString &label, const QString &name)
{
    page.addWrapped(AgreementReport::labelColumn, label + name, AgreementReport::width,
                    int(label.size()));
}

void addSeries(ReportPage &page, const ComparisonSeries &series)
{
    page.addLine({{AgreementReport::labelColumn, ReportPage::rule('_', AgreementReport::width)}});
    page.addWrapped(
        AgreementReport::labelColumn,
        QStringLiteral("Over the %1 comparisons in %2 :").arg(series.comparisons).arg(series.table),
        AgreementReport::width, 3);
    page.addLine(both(QStringLiteral("Mean window-by-window agreement (%) :"),
                      na(Agreement::percent(series.speechWindowAgreement)),
                      na(Agreement::percent(series.clutterWindowAgreement))));
    if (series.windowsDiffer)
        page.addLine({{AgreementReport::labelColumn,
                       QStringLiteral("   (the comparisons use windows of different lengths)")}});
    page.addLine({{AgreementReport::labelColumn,
                   QStringLiteral("ICC(2,1) of % of the talking time cluttered : ") +
                       na(Agreement::decimal3(series.icc)) +
                       QStringLiteral(" over %1 samples").arg(series.samples)}});
    page.addLine(
        {{AgreementReport::labelColumn,
          QStringLiteral("ICC(2,1), absolute agreement of single judges: (MSR - MSE) /")}});
    page.addLine(
        {{AgreementReport::labelColumn,
          QStringLiteral("(MSR + MSE + 2 (MSC - MSE) / n), from the mean squares of the")}});
    page.addLine({{AgreementReport::labelColumn,
                   QStringLiteral("n samples, of the 2 judges and the residual.")}});
}

} // namespace

ReportPage AgreementReport::build(const Agreement &agreement,
                                  const std::optional<ComparisonSeries> &series)
{
    ReportPage page(QStringLiteral("Tallymere agreement between judges"));
    page.addEmptyLines(2);
    page.addLine({{labelColumn, ReportPage::rule('=', width)}});
    page.addLine({{labelColumn, QStringLiteral("AGREEMENT between two timelines of one sample")}});
    page.addLine({{labelColumn, ReportPage::rule('=', width)}});
    addNamed(page, QStringLiteral("Judge A : "), agreement.nameA());
    addNamed(page, QStringLiteral("Judge B : "), agreement.nameB());
    const SessionRecording &recording = agreement.recording();
    addNamed(page, QStringLiteral("Recording : "),
             recording.isEmpty() ? QStringLiteral("none named")
                                 : recording.name + QStringLiteral(" (") + recording.secondsText() +
                                       QStringLiteral(" s)"));
    page.addLine(
        {{labelColumn,
          QStringLiteral("Common span : ") + TimelineFiles::seconds(agreement.spanTicks()) +
              QStringLiteral(" s.   Windows of ") +
              TimelineFiles::seconds(agreement.windowTicks()) + QStringLiteral(" s.")}});
    for (const QString &note : agreement.notes())
        page.addWrapped(labelColumn, note, width, 3);
    page.addLine({{labelColumn, ReportPage::rule('_', width)}});
    page.addLine(both(QStringLiteral("Figure :"), QStringLiteral("Speech :"),
                      QStringLiteral("Cluttering :")));
    const Figures &s = agreement.speech();
    const Figures &c = agreement.cluttering();
    page.addLine(both(QStringLiteral("Total time, A / B (s) :"),
                      pair(TimelineFiles::seconds(s.ticksA), TimelineFiles::seconds(s.ticksB)),
                      pair(TimelineFiles::seconds(c.ticksA), TimelineFiles::seconds(c.ticksB))));
    page.addLine(both(QStringLiteral("Intervals, A / B :"),
                      pair(QString::number(s.countA), QString::number(s.countB)),
                      pair(QString::number(c.countA), QString::number(c.countB))));
    page.addLine(both(QStringLiteral("Mean interval, A / B (s) :"),
                      pair(mean(s.meanA), mean(s.meanB)), pair(mean(c.meanA), mean(c.meanB))));
    page.addLine(both(QStringLiteral("Total-time agreement (%) :"),
                      na(Agreement::percent(s.totalAgreement)),
                      na(Agreement::percent(c.totalAgreement))));
    const auto windows = [](const Agreement::Table &w) {
        return QStringLiteral("%1/%2/%3/%4").arg(w.both).arg(w.onlyA).arg(w.onlyB).arg(w.neither);
    };
    page.addLine(both(QStringLiteral("Windows, both/only A/only B/neither :"), windows(s.windows),
                      windows(c.windows)));
    page.addLine(both(QStringLiteral("Window-by-window agreement (%) :"),
                      na(Agreement::percent(s.windowAgreement)),
                      na(Agreement::percent(c.windowAgreement))));
    page.addLine(both(QStringLiteral("Occurrence agreement (%) :"),
                      na(Agreement::percent(s.occurrenceAgreement)),
                      na(Agreement::percent(c.occurrenceAgreement))));
    addKappa(page, QStringLiteral("tick (0.2 s)"), s.byTick, c.byTick);
    addKappa(page, QStringLiteral("1 s unit"), s.bySecond, c.bySecond);
    page.addLine({{labelColumn, ReportPage::rule('_', width)}});
    page.addLine(
        both(QStringLiteral("Percentage :"), QStringLiteral("A / B :"), QStringLiteral("B - A :")));
    addPercentages(page, QStringLiteral("% of the sample spoken :"), agreement.spoken());
    addPercentages(page, QStringLiteral("% of the sample cluttered :"),
                   agreement.clutteredSample());
    addPercentages(page, QStringLiteral("% of the talking time cluttered :"),
                   agreement.clutteredTalk());
    page.addLine({{labelColumn, ReportPage::rule('_', width)}});
    for (const char *definition : {
             "Each timeline is read as ticks of 0.2 s, marked where an interval",
             "covers them. Total-time agreement: shorter total / longer total x 100.",
             "A window is marked by a judge who marked any tick in it.",
             "Window-by-window agreement = (both + neither) / windows x 100;",
             "occurrence agreement = both / (both + only A + only B) x 100.",
             "Kappa = (po - pe) / (1 - pe) over ticks or 1 s units, pe from each",
             "judge's share of marked units; the prevalence index |both - neither| /",
             "units shows a kappa moved by long empty stretches.",
         })
        page.addLine({{labelColumn, QLatin1String(definition)}});
    if (series && series->comparisons >= 2)
        addSeries(page, *series);
    return page;
}
