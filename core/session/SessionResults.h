#pragma once

#include "core/events/DriftFreeTimer.h"
#include "core/session/SessionFields.h"

#include <QString>

#include <array>
#include <optional>

// The results of a session, computed in double precision from the counters at the moment of
// asking (an unset counter counts as 0): the seven the main window shows at every pause and the
// five more the printed report gives, so screen and paper always agree. A measure whose divisor is
// not above 0 has no value and its text is "  n/a "; the others are formatted "0.0 %"
// (percentages), "0.00 " (mean seconds, rates) or as printed numbers (durations in seconds).
class SessionResults {
public:
    enum class Measure {
        // The results panel's seven, in its order.
        PercentSampleSpoken,     // talkTicks / sampleTicks
        PercentSampleCluttered,  // clutterTicks / sampleTicks
        PercentTalkCluttered,    // clutterTicks / talkTicks
        MeanSpeechInterval,      // seconds: (talkTicks / 5) / talkCount
        MeanClutterInterval,     // seconds: (clutterTicks / 5) / clutterCount
        ClutterRatePerSampleMin, // (clutterCount * 300) / sampleTicks
        ClutterRatePerTalkMin,   // (clutterCount * 300) / talkTicks
        // The report's others.
        SampleSeconds,          // sampleTicks / 5
        TalkSeconds,            // talkTicks / 5
        ClutterSeconds,         // clutterTicks / 5
        PercentSampleSilent,    // 1 - talkTicks / sampleTicks
        PercentTalkClutterFree, // 1 - clutterTicks / talkTicks
    };
    static constexpr int PanelCount = 7;
    static constexpr std::array<Measure, PanelCount> PanelMeasures{
        Measure::PercentSampleSpoken,   Measure::PercentSampleCluttered,
        Measure::PercentTalkCluttered,  Measure::MeanSpeechInterval,
        Measure::MeanClutterInterval,   Measure::ClutterRatePerSampleMin,
        Measure::ClutterRatePerTalkMin,
    };

    static constexpr int TicksPerSecond = 1000 / DriftFreeTimer::DefaultIntervalMilliseconds;
    static constexpr int TicksPerMinute = 60 * TicksPerSecond;

    explicit SessionResults(const SessionFields &fields);

    // The measure as a number, or nothing when its divisor is 0.
    std::optional<double> value(Measure measure) const;
    // The measure as the results panel shows it and the report prints it.
    QString text(Measure measure) const;
    // The measure as a data table keeps it: the report's digits with "." as the decimal point
    // whatever the locale, percentages as 0-100 numbers, durations in plain seconds; empty where
    // the report says "n/a".
    QString dataText(Measure measure) const;

private:
    enum class Form { Report, Data };
    static std::optional<double> ratio(double numerator, double divisor);
    static std::optional<double> complement(double numerator, double divisor);
    static QString format(Measure measure, double value, Form form);

    double m_sampleTicks;
    double m_talkTicks;
    double m_clutterTicks;
    double m_talkCount;
    double m_clutterCount;
};
