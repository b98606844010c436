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

std::optional<double> SessionResults::complement(double numerator, double divisor)
{
    const std::optional<double> share = ratio(numerator, divisor);
    return share ? std::optional<double>(1 - *share) : std::nullopt;
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
    case Measure::SampleSeconds: return m_sampleTicks / TicksPerSecond;
    case Measure::TalkSeconds: return m_talkTicks / TicksPerSecond;
    case Measure::ClutterSeconds: return m_clutterTicks / TicksPerSecond;
    case Measure::PercentSampleSilent: return complement(m_talkTicks, m_sampleTicks);
    case Measure::PercentTalkClutterFree: return complement(m_clutterTicks, m_talkTicks);
    }
    return std::nullopt;
}

QString SessionResults::format(Measure measure, double value, Form form)
{
    const bool data = form == Form::Data;
    const QString point = QStringLiteral(".");
    switch (measure) {
    case Measure::SampleSeconds:
    case Measure::TalkSeconds:
    case Measure::ClutterSeconds:
        return data ? numbertext::plain(value, point) : numbertext::printed(value);
    case Measure::MeanSpeechInterval:
    case Measure::MeanClutterInterval:
    case Measure::ClutterRatePerSampleMin:
    case Measure::ClutterRatePerTalkMin:
        return data ? numbertext::pattern(value, QStringLiteral("0.00"), point)
                    : numbertext::pattern(value, QStringLiteral("0.00 "));
    default:
        // The report's "0.0 %" as a 0-100 number: the same digits, without the percent sign.
        return data ? numbertext::pattern(value, QStringLiteral("0.0%"), point).chopped(1)
                    : numbertext::pattern(value, QStringLiteral("0.0 %"));
    }
}

QString SessionResults::text(Measure measure) const
{
    const std::optional<double> result = value(measure);
    return result ? format(measure, *result, Form::Report)
                  : QString::fromLatin1(numbertext::notAvailable);
}

QString SessionResults::dataText(Measure measure) const
{
    const std::optional<double> result = value(measure);
    return result ? format(measure, *result, Form::Data) : QString();
}
