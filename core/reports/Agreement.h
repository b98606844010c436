#pragma once

#include "core/reports/JudgedTimeline.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// Two judges' timelines of one sample compared, for speech and for cluttering each, over their
// common span (0 to the shorter sample's length), on the tick grid of 0.2 s:
//  - each judge's total time (marked ticks), interval count (counted intervals starting inside
//    the span) and mean interval; total-time agreement, shorter / longer total x 100;
//  - window-by-window agreement: windows of a whole number of ticks from 0, the last shorter
//    one too, each marked by a judge who marked any tick in it; (both + neither) / windows x 100,
//    and occurrence agreement, both / (both + only A + only B) x 100;
//  - Cohen's kappa by tick and by 1 s unit (a unit marked as a window is): (po - pe) / (1 - pe),
//    pe from each judge's share of marked units, with the prevalence index |both - neither| /
//    units;
//  - each judge's % of the sample spoken, % of the sample cluttered and % of the talking time
//    cluttered, and the difference B - A.
// A figure that cannot be computed (nothing to divide by) is empty: "n/a" on the report.
class Agreement {
public:
    static constexpr int TicksPerSecond = 5;
    static constexpr int DefaultWindowTicks = 25; // 5 s

    struct Table {
        int units = 0, both = 0, onlyA = 0, onlyB = 0, neither = 0;
    };
    struct Kappa {
        Table table;
        std::optional<double> kappa;
        double observed = 0, chance = 0, shareA = 0, shareB = 0, prevalence = 0;
    };
    struct ChannelFigures {
        qint32 ticksA = 0, ticksB = 0;
        int countA = 0, countB = 0;
        std::optional<double> meanA, meanB, totalAgreement;
        Table windows;
        std::optional<double> windowAgreement, occurrenceAgreement;
        Kappa byTick, bySecond;
    };
    struct Percentages {
        std::optional<double> a, b, difference;
    };

    // The windows' length given in seconds ("5", "2.4"): 1 to 10 s in whole ticks, or nothing
    // and why not.
    static std::optional<int> windowTicksOf(const QString &seconds, QString *why);
    // Why `a` and `b` cannot be compared (they name different recordings), or empty.
    static QString refusal(const JudgedTimeline &a, const JudgedTimeline &b);
    Agreement(const JudgedTimeline &a, const JudgedTimeline &b,
              int windowTicks = DefaultWindowTicks);

    const QString &nameA() const { return m_nameA; }
    const QString &nameB() const { return m_nameB; }
    qint32 spanTicks() const { return m_span; }
    int windowTicks() const { return m_windowTicks; }
    const ChannelFigures &speech() const { return m_channels[0]; }
    const ChannelFigures &cluttering() const { return m_channels[1]; }
    Percentages spoken() const;
    Percentages clutteredSample() const;
    Percentages clutteredTalk() const;
    // What the reader of the figures must know: unequal lengths, a recording named by one only.
    QStringList notes() const { return m_notes; }
    // The recording both name, or the one that names one.
    const SessionRecording &recording() const { return m_recording; }

    // Every figure as a column of a table of comparisons, with "." decimals and empty for n/a.
    QList<std::pair<QString, QString>> columns() const;

    static QString percent(std::optional<double> value);  // "83.3", "" for n/a
    static QString decimal3(std::optional<double> value); // "0.412"

private:
    static ChannelFigures compare(const JudgedTimeline::Channel &a,
                                  const JudgedTimeline::Channel &b, qint32 span, int window);
    static Table tabulate(const std::vector<bool> &a, const std::vector<bool> &b, qint32 span,
                          int unit);
    static Kappa kappa(const std::vector<bool> &a, const std::vector<bool> &b, qint32 span,
                       int unit);

    QString m_nameA, m_nameB;
    qint32 m_lengthA = 0, m_lengthB = 0, m_span = 0;
    int m_windowTicks = DefaultWindowTicks;
    SessionRecording m_recording;
    ChannelFigures m_channels[2];
    QStringList m_notes;
};
