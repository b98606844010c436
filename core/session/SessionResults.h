#pragma once

#include "core/session/SessionFields.h"

#include <QString>

#include <array>
#include <optional>

// The seven results of a session, computed in double precision from the counters at the moment
// of asking (an unset counter counts as 0). A measure whose divisor is 0 has no value and its
// text is "  n/a "; the others are formatted "0.0 %" (percentages) or "0.00 " (seconds, rates).
class SessionResults {
public:
    // In the order the results panel lists them.
    enum class Measure {
        PercentSampleSpoken,     // talkTicks / sampleTicks
        PercentSampleCluttered,  // clutterTicks / sampleTicks
        PercentTalkCluttered,    // clutterTicks / talkTicks
        MeanSpeechInterval,      // seconds: (talkTicks / 5) / talkCount
        MeanClutterInterval,     // seconds: (clutterTicks / 5) / clutterCount
        ClutterRatePerSampleMin, // (clutterCount * 300) / sampleTicks
        ClutterRatePerTalkMin,   // (clutterCount * 300) / talkTicks
    };
    static constexpr int MeasureCount = 7;
    static constexpr std::array<Measure, MeasureCount> AllMeasures{
        Measure::PercentSampleSpoken,   Measure::PercentSampleCluttered,
        Measure::PercentTalkCluttered,  Measure::MeanSpeechInterval,
        Measure::MeanClutterInterval,   Measure::ClutterRatePerSampleMin,
        Measure::ClutterRatePerTalkMin,
    };

    static constexpr int TicksPerSecond = 5;
    static constexpr int TicksPerMinute = 300;
    static constexpr const char *NotAvailable = "  n/a ";
    static constexpr const char *PercentPattern = "0.0 %";
    static constexpr const char *DecimalPattern = "0.00 ";

    explicit SessionResults(const SessionFields &fields);

    // The measure as a number, or nothing when its divisor is 0.
    std::optional<double> value(Measure measure) const;
    // The measure as the results panel shows it.
    QString text(Measure measure) const;

private:
    static std::optional<double> ratio(double numerator, double divisor);

    double m_sampleTicks;
    double m_talkTicks;
    double m_clutterTicks;
    double m_talkCount;
    double m_clutterCount;
};
