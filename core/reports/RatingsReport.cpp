#include "core/reports/RatingsReport.h"

#include "core/ratings/RatingCore.h"
#include "core/ratings/ScaleTable.h"
#include "core/text/NumberText.h"

ReportLine RatingsReport::row(const QString &feature, const QString &percent, const QString &nine)
{
    return {{featureColumn, feature}, {percentColumn, percent}, {nineColumn, nine}};
}

ReportPage RatingsReport::build(const RatingFields &fields)
{
    ReportPage page(QStringLiteral("Tallymere perceptual ratings"));
    page.addEmptyLines(leadingEmptyLines);
    page.addLine({{featureColumn, ReportPage::rule('=', 53)}});
    page.addLine(
        {{featureColumn,
          QStringLiteral("RESULTS of the Visual Analog Scale Perceptual Rating Procedure")}});
    page.addLine({{featureColumn, ReportPage::rule('=', 53)}});
    page.addLine(row(QStringLiteral("Perceptual Feature:"), QStringLiteral("% score: "),
                     QStringLiteral("Scale 1-9")));
    page.addLine(
        row(ReportPage::rule('_', 16), ReportPage::rule('_', 9), ReportPage::rule('_', 7)));
    const QString notAvailable = QString::fromLatin1(numbertext::notAvailable);
    for (const ScaleRow &scale : ScaleTable::rows()) {
        const float rating = fields.*scale.field;
        const bool rated = fields.*scale.rated;
        page.addLine(row(QString::fromUtf8(scale.reportLabel),
                         rated ? RatingCore::PercentScoreText(rating) : notAvailable,
                         rated ? RatingCore::NineScoreText(rating) : notAvailable));
    }
    page.addLine({{featureColumn, ReportPage::rule('_', 54)}});
    return page;
}
