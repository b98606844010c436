#include "printing/ReportPdf.h"

#include "core/reports/ReportLayout.h"
#include "core/reports/WholeFile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSizeF>

#include <algorithm>

namespace {

constexpr int resolutionDpi = 1200;

} // namespace

QFont ReportPdf::font()
{
    QFont font(QStringLiteral("Courier New"));
    // Where Courier New is missing, its metric twin Liberation Mono keeps the columns exact.
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSizeF(pointSize);
    return font;
}

std::optional<QByteArray> ReportPdf::render(const ReportPage &page, const QPageLayout &layout)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    QPdfWriter writer(&buffer);
    writer.setResolution(resolutionDpi);
    writer.setPageLayout(layout);
    writer.setTitle(page.title());
    writer.setCreator(QStringLiteral("Tallymere2.02"));

    QPainter painter;
    if (!painter.begin(&writer))
        return std::nullopt;
    const QFont printerFont = font();
    painter.setFont(printerFont);
    const QFontMetricsF metrics(printerFont, &writer);
    const double lineHeight = metrics.lineSpacing();
    const double pageHeight = writer.height();
    const int rowsPerPage = std::max(1, static_cast<int>(pageHeight / lineHeight));

    const auto width = [&metrics](const QString &text) { return metrics.horizontalAdvance(text); };
    int pageIndex = 0;
    for (const PlacedText &text : reportlayout::place(page, metrics.averageCharWidth(), width)) {
        // A report longer than the page goes on to a new one rather than off its bottom edge.
        while (text.row / rowsPerPage > pageIndex) {
            writer.newPage();
            ++pageIndex;
        }
        const double y = (text.row % rowsPerPage) * lineHeight + metrics.ascent();
        painter.drawText(QPointF(text.x, y), text.text);
    }
    if (!painter.end())
        return std::nullopt;
    return pdf;
}

SaveOutcome ReportPdf::save(const ReportPage &page, RecordKind kind, const QString &path)
{
    SaveOutcome outcome;
    outcome.kind = kind;
    outcome.path = path;
    const std::optional<QByteArray> pdf = render(page, localeDefaultPage());
    if (!pdf) {
        outcome.reason = QObject::tr("the page could not be prepared");
        return outcome;
    }
    outcome.reason = wholefile::write(path, *pdf);
    if (outcome.reason.isEmpty())
        outcome.result = SaveOutcome::Result::Written;
    return outcome;
}

QPageLayout ReportPdf::pageLayoutFor(int width, int length, int left, int top, int right,
                                     int bottom)
{
    const auto mm = [](int hundredths) { return std::max(hundredths / 100.0, minimumMarginMm); };
    const QPageSize size(QSizeF(width / 100.0, length / 100.0), QPageSize::Millimeter);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(mm(left), mm(top), mm(right), mm(bottom)),
                       QPageLayout::Millimeter);
}

QPageLayout ReportPdf::localeDefaultPage()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    const QPageSize size(letter ? QPageSize::Letter : QPageSize::A4);
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return pageLayoutFor(static_cast<int>(mm.width() * 100), static_cast<int>(mm.height() * 100), 0,
                         0, 0, 0);
}
