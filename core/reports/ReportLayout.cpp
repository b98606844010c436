#include "core/reports/ReportLayout.h"

#include <cmath>

namespace reportlayout {

namespace {

// Widths are measured in floating point; a position within this share of a character width of a
// column stop counts as exactly at it, so rounding in a font's metrics never breaks a line.
constexpr double atStopTolerance = 1e-6;

struct Position {
    int row = 0;
    double x = 0;
};

void moveToColumn(Position &position, int column, double averageCharWidth)
{
    const double stop = (column - 1) * averageCharWidth;
    if (position.x > stop + atStopTolerance * averageCharWidth)
        ++position.row;
    position.x = stop;
}

// Places every item and returns the number of rows the page takes.
int run(const ReportPage &page, double averageCharWidth, const TextWidth &width,
        QList<PlacedText> &placed)
{
    Position position;
    for (const ReportLine &line : page.lines()) {
        for (const ReportItem &item : line) {
            moveToColumn(position, item.column, averageCharWidth);
            placed.append({position.row, position.x, item.text});
            position.x += width(item.text);
        }
        ++position.row;
        position.x = 0;
    }
    return position.row;
}

} // namespace

QList<PlacedText> place(const ReportPage &page, double averageCharWidth, const TextWidth &width)
{
    QList<PlacedText> placed;
    run(page, averageCharWidth, width, placed);
    return placed;
}

QStringList asText(const ReportPage &page)
{
    const auto characters = [](const QString &text) { return static_cast<double>(text.size()); };
    QList<PlacedText> placed;
    QStringList rows(run(page, 1.0, characters, placed));
    for (const PlacedText &text : placed) {
        QString &row = rows[text.row];
        const auto column = static_cast<qsizetype>(std::lround(text.x));
        if (row.size() < column)
            row.append(QString(column - row.size(), QLatin1Char(' ')));
        row = row.left(column) + text.text;
    }
    return rows;
}

} // namespace reportlayout
