#pragma once

#include "core/ratings/RatingFields.h"
#include "core/reports/ReportPage.h"

// The perceptual ratings report: a framed title, one row per feature in the scales' order with
// its 0-100 and 1-9 scores, and a closing rule. A scale never pressed since the program started
// prints "  n/a " in both score columns, so a rating that was never made is not passed off as
// the lowest score.
class RatingsReport {
public:
    static constexpr int featureColumn = 10;
    static constexpr int percentColumn = 50;
    static constexpr int nineColumn = 65;
    static constexpr int leadingEmptyLines = 6;

    static ReportPage build(const RatingFields &fields);

private:
    static ReportLine row(const QString &feature, const QString &percent, const QString &nine);
};
