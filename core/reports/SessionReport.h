#pragma once

#include "core/reports/ReportPage.h"
#include "core/session/SessionFields.h"

// The session results report: a framed title, twelve measures of the session as label and value
// lines, and a closing rule. Every value comes from one reading of the session fields through
// SessionResults, which the results panel shows too; a measure whose divisor is not above zero
// prints "  n/a " with the rest of its line.
class SessionReport {
public:
    static constexpr int labelColumn = 10;
    static constexpr int subMeasureColumn = 13; // labels beginning with "- "
    static constexpr int valueColumn = 57;
    static constexpr int countColumn = 67;
    static constexpr int leadingEmptyLines = 6;

    static ReportPage build(const SessionFields &fields);

private:
    static void addHeading(ReportPage &page);
    static void addMeasures(ReportPage &page, const SessionFields &fields);
    static ReportLine measure(int column, const QString &label, const QString &value);
    static ReportLine timeWithCount(const QString &label, const QString &seconds,
                                    const QString &count);
};
