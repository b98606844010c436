#include "core/reports/Agreement.h"

#include "core/reports/TimelineFiles.h"

#include <algorithm>
#include <cmath>

namespace {

// part x scale / whole, one rounding for whole numbers; nothing when whole is 0.
std::optional<double> ratio(double part, double whole, double scale = 100)
{
    if (whole == 0)
        return std::nullopt;
    return part * scale / whole;
}

std::optional<double> difference(std::optional<double> a, std::optional<double> b)
{
    if (!a || !b)
        return std::nullopt;
    return *b - *a;
}

QString recordingText(const SessionRecording &recording)
{
    return QStringLiteral("%1 (%2 s)").arg(recording.name, recording.secondsText());
}

} // namespace

std::optional<int> Agreement::windowTicksOf(const QString &seconds, QString *why)
{
    bool number = false;
    const double value = seconds.toDouble(&number);
    const double ticks = value * TicksPerSecond;
    if (!number || value < 1 || value > 10) {
        *why = QStringLiteral("a window is 1 to 10 seconds long");
        return std::nullopt;
    }
    if (std::abs(ticks - std::round(ticks)) > 1e-9) {
        *why = QStringLiteral("a window is a whole number of ticks of 0.2 s");
        return std::nullopt;
    }
    return int(std::lround(ticks));
}

QString Agreement::refusal(const JudgedTimeline &a, const JudgedTimeline &b)
{
    if (a.recording.isEmpty() || b.recording.isEmpty())
        return {};
    if (a.recording.name == b.recording.name &&
        a.recording.milliseconds == b.recording.milliseconds)
        return {};
    return QStringLiteral("%1 and %2 were marked on different recordings, %3 and %4")
        .arg(a.name, b.name, recordingText(a.recording), recordingText(b.recording));
}

Agreement::Agreement(const JudgedTimeline &a, const JudgedTimeline &b, int windowTicks)
    : m_nameA(a.name), m_nameB(b.name), m_lengthA(a.lengthTicks), m_lengthB(b.lengthTicks),
      m_span(std::min(a.lengthTicks, b.lengthTicks)), m_windowTicks(std::max(1, windowTicks)),
      m_recording(a.recording.isEmpty() ? b.recording : a.recording)
{
    for (int channel = 0; channel < 2; ++channel)
        m_channels[channel] =
            compare(a.channels[channel], b.channels[channel], m_span, m_windowTicks);
    if (m_lengthA != m_lengthB)
        m_notes.append(QStringLiteral("The samples' lengths differ (%1: %2 s, %3: %4 s); the "
                                      "figures cover the first %5 s.")
                           .arg(m_nameA, TimelineFiles::seconds(m_lengthA), m_nameB,
                                TimelineFiles::seconds(m_lengthB), TimelineFiles::seconds(m_span)));
    if (a.recording.isEmpty() != b.recording.isEmpty())
        m_notes.append(
            QStringLiteral("Only %1 names a recording, %2.")
                .arg(a.recording.isEmpty() ? m_nameB : m_nameA, recordingText(m_recording)));
}

Agreement::ChannelFigures Agreement::compare(const JudgedTimeline::Channel &a,
                                             const JudgedTimeline::Channel &b, qint32 span,
                                             int window)
{
    ChannelFigures figures;
    const auto marked = [span](const std::vector<bool> &ticks) {
        return qint32(std::count(ticks.begin(), ticks.begin() + span, true));
    };
    const auto counted = [span](const std::vector<double> &starts) {
        return int(std::count_if(starts.begin(), starts.end(),
                                 [span](double start) { return start < span; }));
    };
    figures.ticksA = marked(a.marked);
    figures.ticksB = marked(b.marked);
    figures.countA = counted(a.countedStarts);
    figures.countB = counted(b.countedStarts);
    figures.meanA = ratio(figures.ticksA, figures.countA * TicksPerSecond, 1);
    figures.meanB = ratio(figures.ticksB, figures.countB * TicksPerSecond, 1);
    figures.totalAgreement =
        ratio(std::min(figures.ticksA, figures.ticksB), std::max(figures.ticksA, figures.ticksB));
    figures.windows = tabulate(a.marked, b.marked, span, window);
    const Table &w = figures.windows;
    figures.windowAgreement = ratio(w.both + w.neither, w.units);
    figures.occurrenceAgreement = ratio(w.both, w.both + w.onlyA + w.onlyB);
    figures.byTick = kappa(a.marked, b.marked, span, 1);
    figures.bySecond = kappa(a.marked, b.marked, span, TicksPerSecond);
    return figures;
}

Agreement::Table Agreement::tabulate(const std::vector<bool> &a, const std::vector<bool> &b,
                                     qint32 span, int unit)
{
    Table table;
    for (qint32 from = 0; from < span; from += unit) {
        const qint32 to = std::min(span, from + unit);
        const auto markedIn = [from, to](const std::vector<bool> &ticks) {
            return std::find(ticks.begin() + from, ticks.begin() + to, true) != ticks.begin() + to;
        };
        const bool byA = markedIn(a);
        const bool byB = markedIn(b);
        ++table.units;
        if (byA && byB)
            ++table.both;
        else if (byA)
            ++table.onlyA;
        else if (byB)
            ++table.onlyB;
        else
            ++table.neither;
    }
    return table;
}

Agreement::Kappa Agreement::kappa(const std::vector<bool> &a, const std::vector<bool> &b,
                                  qint32 span, int unit)
{
    Kappa k;
    k.table = tabulate(a, b, span, unit);
    const Table &t = k.table;
    if (t.units == 0)
        return k;
    const double units = t.units;
    k.observed = (t.both + t.neither) / units;
    k.shareA = (t.both + t.onlyA) / units;
    k.shareB = (t.both + t.onlyB) / units;
    k.chance = k.shareA * k.shareB + (1 - k.shareA) * (1 - k.shareB);
    k.prevalence = std::abs(t.both - t.neither) / units;
    if (k.chance < 1)
        k.kappa = (k.observed - k.chance) / (1 - k.chance);
    return k;
}

Agreement::Percentages Agreement::spoken() const
{
    const std::optional<double> a = ratio(speech().ticksA, m_span);
    const std::optional<double> b = ratio(speech().ticksB, m_span);
    return {a, b, difference(a, b)};
}

Agreement::Percentages Agreement::clutteredSample() const
{
    const std::optional<double> a = ratio(cluttering().ticksA, m_span);
    const std::optional<double> b = ratio(cluttering().ticksB, m_span);
    return {a, b, difference(a, b)};
}

Agreement::Percentages Agreement::clutteredTalk() const
{
    const std::optional<double> a = ratio(cluttering().ticksA, speech().ticksA);
    const std::optional<double> b = ratio(cluttering().ticksB, speech().ticksB);
    return {a, b, difference(a, b)};
}

QString Agreement::percent(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', 1) : QString();
}

QString Agreement::decimal3(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', 3) : QString();
}

QList<std::pair<QString, QString>> Agreement::columns() const
{
    QList<std::pair<QString, QString>> columns{
        {QStringLiteral("a"), m_nameA},
        {QStringLiteral("b"), m_nameB},
        {QStringLiteral("recording"), m_recording.name},
        {QStringLiteral("recording_s"),
         m_recording.isEmpty() ? QString() : m_recording.secondsText()},
        {QStringLiteral("a_length_s"), TimelineFiles::seconds(m_lengthA)},
        {QStringLiteral("b_length_s"), TimelineFiles::seconds(m_lengthB)},
        {QStringLiteral("span_s"), TimelineFiles::seconds(m_span)},
        {QStringLiteral("window_s"), TimelineFiles::seconds(m_windowTicks)}};
    const auto mean = [](std::optional<double> seconds) {
        return seconds ? QString::number(*seconds, 'f', 2) : QString();
    };
    const auto addKappa = [&](const QString &prefix, const Kappa &k) {
        const bool any = k.table.units > 0;
        columns.append({prefix + QStringLiteral("kappa"), decimal3(k.kappa)});
        columns.append({prefix + QStringLiteral("po"), any ? decimal3(k.observed) : QString()});
        columns.append({prefix + QStringLiteral("pe"), any ? decimal3(k.chance) : QString()});
        columns.append({prefix + QStringLiteral("a_share"), any ? decimal3(k.shareA) : QString()});
        columns.append({prefix + QStringLiteral("b_share"), any ? decimal3(k.shareB) : QString()});
        columns.append(
            {prefix + QStringLiteral("prevalence"), any ? decimal3(k.prevalence) : QString()});
    };
    const QString channelNames[2] = {QStringLiteral("speech_"), QStringLiteral("clutter_")};
    for (int channel = 0; channel < 2; ++channel) {
        const QString &c = channelNames[channel];
        const ChannelFigures &f = m_channels[channel];
        columns.append({c + QStringLiteral("a_s"), TimelineFiles::seconds(f.ticksA)});
        columns.append({c + QStringLiteral("b_s"), TimelineFiles::seconds(f.ticksB)});
        columns.append({c + QStringLiteral("a_n"), QString::number(f.countA)});
        columns.append({c + QStringLiteral("b_n"), QString::number(f.countB)});
        columns.append({c + QStringLiteral("a_mean_s"), mean(f.meanA)});
        columns.append({c + QStringLiteral("b_mean_s"), mean(f.meanB)});
        columns.append({c + QStringLiteral("total_agreement_pct"), percent(f.totalAgreement)});
        columns.append({c + QStringLiteral("windows"), QString::number(f.windows.units)});
        columns.append({c + QStringLiteral("windows_both"), QString::number(f.windows.both)});
        columns.append({c + QStringLiteral("windows_only_a"), QString::number(f.windows.onlyA)});
        columns.append({c + QStringLiteral("windows_only_b"), QString::number(f.windows.onlyB)});
        columns.append({c + QStringLiteral("windows_neither"), QString::number(f.windows.neither)});
        columns.append({c + QStringLiteral("window_agreement_pct"), percent(f.windowAgreement)});
        columns.append(
            {c + QStringLiteral("occurrence_agreement_pct"), percent(f.occurrenceAgreement)});
        addKappa(c + QStringLiteral("tick_"), f.byTick);
        addKappa(c + QStringLiteral("second_"), f.bySecond);
    }
    const auto addPercentages = [&](const QString &name, const Percentages &p) {
        columns.append({QStringLiteral("a_") + name, percent(p.a)});
        columns.append({QStringLiteral("b_") + name, percent(p.b)});
        columns.append({QStringLiteral("difference_") + name, percent(p.difference)});
    };
    addPercentages(QStringLiteral("spoken_pct"), spoken());
    addPercentages(QStringLiteral("cluttered_sample_pct"), clutteredSample());
    addPercentages(QStringLiteral("cluttered_talk_pct"), clutteredTalk());
    return columns;
}
