#include "core/reports/ComparisonSeries.h"

#include "core/reports/CsvTable.h"
#include "core/reports/RecordRow.h"
#include "core/reports/WholeFile.h"

#include <QFileInfo>
#include <QSet>

#include <cmath>

namespace {

std::optional<double> number(const QString &field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The mean of the column's numbers, or nothing where it has none.
std::optional<double> meanOf(const QList<QStringList> &rows, qsizetype column)
{
    double sum = 0;
    int count = 0;
    for (const QStringList &row : rows)
        if (const std::optional<double> value = number(row.at(column))) {
            sum += *value;
            ++count;
        }
    return count == 0 ? std::nullopt : std::optional<double>(sum / count);
}

} // namespace

std::optional<ComparisonSeries> ComparisonSeries::read(const QString &path, QString *why)
{
    const std::optional<QByteArray> bytes = wholefile::read(path, why);
    if (!bytes)
        return std::nullopt;
    QString text = QString::fromUtf8(*bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> records = CsvTable::records(text);
    const QStringList header = RecordRow::columnsOf(RecordKind::Comparison);
    if (records.value(0) != header) {
        *why = QStringLiteral("it is not a table of comparisons Tallymere exported");
        return std::nullopt;
    }
    records.removeFirst();
    records.removeIf([&](const QStringList &row) { return row.size() != header.size(); });

    ComparisonSeries series;
    series.table = QFileInfo(path).fileName();
    series.comparisons = int(records.size());
    series.speechWindowAgreement =
        meanOf(records, header.indexOf(QLatin1String("speech_window_agreement_pct")));
    series.clutterWindowAgreement =
        meanOf(records, header.indexOf(QLatin1String("clutter_window_agreement_pct")));
    const qsizetype window = header.indexOf(QLatin1String("window_s"));
    QSet<QString> windows;
    for (const QStringList &row : std::as_const(records))
        windows.insert(row.at(window));
    series.windowsDiffer = windows.size() > 1;
    const qsizetype a = header.indexOf(QLatin1String("a_cluttered_talk_pct"));
    const qsizetype b = header.indexOf(QLatin1String("b_cluttered_talk_pct"));
    QList<std::pair<double, double>> ratings;
    for (const QStringList &row : std::as_const(records))
        if (const auto byA = number(row.at(a)), byB = number(row.at(b)); byA && byB)
            ratings.append({*byA, *byB});
    series.samples = int(ratings.size());
    series.icc = icc21(ratings);
    return series;
}

std::optional<double> ComparisonSeries::icc21(const QList<std::pair<double, double>> &ratings)
{
    const double n = double(ratings.size());
    constexpr double k = 2;
    if (n < 2)
        return std::nullopt;
    double sumA = 0;
    double sumB = 0;
    for (const auto &[a, b] : ratings) {
        sumA += a;
        sumB += b;
    }
    const double grand = (sumA + sumB) / (n * k);
    double samples = 0; // sum of squares of the samples' means about the grand mean, times k
    double total = 0;
    for (const auto &[a, b] : ratings) {
        samples += k * std::pow((a + b) / k - grand, 2);
        total += std::pow(a - grand, 2) + std::pow(b - grand, 2);
    }
    const double judges = n * (std::pow(sumA / n - grand, 2) + std::pow(sumB / n - grand, 2));
    const double msr = samples / (n - 1);
    const double msc = judges / (k - 1);
    const double mse = std::max(0.0, total - samples - judges) / ((n - 1) * (k - 1));
    const double denominator = msr + (k - 1) * mse + k * (msc - mse) / n;
    if (!(denominator > 1e-12))
        return std::nullopt;
    return (msr - mse) / denominator;
}
