#include "core/reports/ReportPage.h"

#include <utility>

ReportPage::ReportPage(QString title) : m_title(std::move(title)) {}

void ReportPage::addEmptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        m_lines.append(ReportLine{});
}

void ReportPage::addLine(ReportLine items) { m_lines.append(std::move(items)); }

QString ReportPage::rule(char character, int count)
{
    return QString(count, QLatin1Char(character));
}
