#pragma once

#include "core/reports/ReportPage.h"

#include <QList>
#include <QString>

#include <functional>

// A text of the report at its place on the page: the printed row (0 is the first line) and its
// distance from the left edge of the printable area, in the measure's units.
struct PlacedText {
    int row = 0;
    double x = 0;
    QString text;

    friend bool operator==(const PlacedText &, const PlacedText &) = default;
};

// The column-stop rule of the printed reports, free of any device. Placing an item at column n
// moves the position to n - 1 average character widths from the left edge on the current row;
// when the position is already past that point it moves there on the next row, and exactly at it
// it stays. Items follow each other with no space beyond their own text, every line ends with a
// move to the start of the next row, and an empty line is that move alone.
namespace reportlayout {

using TextWidth = std::function<double(const QString &)>;

QList<PlacedText> place(const ReportPage &page, double averageCharWidth, const TextWidth &width);

// The page as plain text rows for a fixed-width font where every character is one column wide:
// the form in which the reports read back from paper, and the way tests compare them.
QStringList asText(const ReportPage &page);

} // namespace reportlayout
