#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The comparisons a table of them holds, one sample each, as a study reports their reliability:
// the mean window-by-window agreement of speech and of cluttering, and the intraclass correlation
// of the two judges' percentages of talking time cluttered across the samples.
struct ComparisonSeries {
    QString table; // the table's file name
    int comparisons = 0;
    std::optional<double> speechWindowAgreement;  // mean over the rows that have it, %
    std::optional<double> clutterWindowAgreement; // the same for cluttering
    bool windowsDiffer = false;                   // the rows do not all use windows of one length
    int samples = 0;           // rows where both judges have a percentage of talking cluttered
    std::optional<double> icc; // ICC(2,1) over those rows

    // The table of comparisons at `path`, Tallymere's, or nothing and why not in `why`.
    static std::optional<ComparisonSeries> read(const QString &path, QString *why);

    // ICC(2,1), absolute agreement of single judges (two-way random effects), of n samples each
    // rated by judges A and B: (MSR - MSE) / (MSR + MSE + 2 (MSC - MSE) / n), with the mean
    // squares of samples (MSR), of judges (MSC) and the residual (MSE). Nothing when n < 2 or
    // the samples do not vary at all.
    static std::optional<double> icc21(const QList<std::pair<double, double>> &ratings);
};
