#include "core/session/SessionResults.h"

#include "core/text/NumberText.h"

SessionResults::SessionResults(const SessionFields &fields)
    : m_sampleTicks(fields.sampleTicks.value_or(0)), m_talkTicks(fields.talkTicks.value_or(0)),
      m_clutterTicks(fields.clutterTicks), m_talkCount(fields.talkCount.value_or(0)),
      m_clutterCount(fields.clutterCount)
{
}

std::optional<double> SessionResults::ratio(double numerator, double divisor)
{
    // The counters never go negative, so "not above zero" only ever means zero.
    if (!(divisor > 0.0))
        return std::nullopt;
    return numerator / divisor;
}

std::optional<double> SessionResults::value(Measure measure) const
{
    switch (measure) {
    case Measure::PercentSampleSpoken: return ratio(m_talkTicks, m_sampleTicks);
    case Measure::PercentSampleCluttered: return ratio(m_clutterTicks, m_sampleTicks);
    case Measure::PercentTalkCluttered: return ratio(m_clutterTicks, m_talkTicks);
    case Measure::MeanSpeechInterval: return ratio(m_talkTicks / TicksPerSecond, m_talkCount);
    case Measure::MeanClutterInterval:
        return ratio(m_clutterTicks / TicksPerSecond, m_clutterCount);
    case Measure::ClutterRatePerSampleMin:
        return ratio(m_clutterCount * TicksPerMinute, m_sampleTicks);
    case Measure::ClutterRatePerTalkMin: return ratio(m_clutterCount * TicksPerMinute, m_talkTicks);
    }
    return std::nullopt;
}

QString SessionResults::text(Measure measure) const
{
    const std::optional<double> result = value(measure);
    if (!result)
        return QString::fromLatin1(NotAvailable);
    const bool percentage = measure == Measure::PercentSampleSpoken ||
                            measure == Measure::PercentSampleCluttered ||
                            measure == Measure::PercentTalkCluttered;
    return numbertext::pattern(*result,
                               QString::fromLatin1(percentage ? PercentPattern : DecimalPattern));
}
