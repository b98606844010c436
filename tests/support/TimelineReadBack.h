#pragma once

#include <QString>

// An exported timeline read back by the program its users open it in, summed up: a TextGrid by
// Praat itself, a CSV table by Python's csv module, an Audacity label track by a plain split.
namespace timelinereadback {

struct Totals {
    qint64 talkTicks = 0;
    qint64 clutterTicks = 0;
    qint64 talkCount = 0;    // counted speech intervals
    qint64 clutterCount = 0; // counted cluttering intervals
    qint64 sampleTicks = -1; // where the file says it: the CSV's sample row

    friend bool operator==(const Totals &, const Totals &) = default;
};

// "talk 16 ticks 3 counted, cluttering 8 ticks 2 counted, sample 21"; "unread: WHY" where the
// reader failed.
QString describe(const Totals &totals);

// Each sets `failed` where its reader did not run or gave nothing.
Totals withPraat(const QString &textGrid, QString *failed);
Totals withPython(const QString &csv, QString *failed);
Totals withSplit(const QString &labels, QString *failed);

} // namespace timelinereadback
