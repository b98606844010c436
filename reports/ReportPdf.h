#pragma once

#include "reports/ReportPage.h"

#include <QByteArray>
#include <QFont>
#include <QPageLayout>

#include <optional>

// Draws a report page as a PDF document: the printer font at 12 points, the lines top-down from
// the top-left corner of the printable area, each item at its column stop. The same document
// goes to the printer and, when there is none, into a file.
class ReportPdf {
public:
    static constexpr double pointSize = 12;

    // The printer font: Courier New, or a face of the same metrics where it is not installed.
    static QFont font();

    // The PDF document, or nothing when it could not be drawn.
    static std::optional<QByteArray> render(const ReportPage &page, const QPageLayout &layout);
};
