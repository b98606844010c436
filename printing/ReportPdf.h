#pragma once

#include "core/reports/ReportPage.h"
#include "core/reports/SaveOutcome.h"

#include <QByteArray>
#include <QFont>
#include <QPageLayout>

#include <optional>

// Draws a report page as a PDF document: the printer font at 12 points, the lines top-down from
// the top-left corner of the printable area, each item at its column stop. The same document
// goes to the printer and, when it cannot print, into a file.
class ReportPdf {
public:
    static constexpr double pointSize = 12;
    // The smallest margin of a report page, for printers that claim borderless paper.
    static constexpr double minimumMarginMm = 6.35;

    // The printer font: Courier New, or a face of the same metrics where it is not installed.
    static QFont font();

    // The PDF document, or nothing when it could not be drawn.
    static std::optional<QByteArray> render(const ReportPage &page, const QPageLayout &layout);

    // The page of `kind`'s report on the locale's default paper, written to `path` whole or not
    // at all.
    static SaveOutcome save(const ReportPage &page, RecordKind kind, const QString &path);

    // The page of a printer whose paper is width x length with the given margins, all in
    // hundredths of a millimetre as the print service gives them.
    static QPageLayout pageLayoutFor(int width, int length, int left, int top, int right,
                                     int bottom);
    // The page for a printer that names no usable paper: A4, or Letter where it is customary.
    static QPageLayout localeDefaultPage();
};
