#pragma once

#include "core/reports/Agreement.h"
#include "core/reports/ComparisonSeries.h"
#include "core/reports/ReportPage.h"

// The one-page agreement report of a comparison, in the reports' style: who was compared, on
// which recording and span, every figure for speech and for cluttering side by side, each
// judge's percentages with the difference, and what each figure means.
class AgreementReport {
public:
    static constexpr int labelColumn = 1;
    static constexpr int speechColumn = 42;
    static constexpr int clutterColumn = 58;
    static constexpr int width = 72; // columns: a line never runs past it

    static ReportPage build(const Agreement &agreement,
                            const std::optional<ComparisonSeries> &series = std::nullopt);
};
