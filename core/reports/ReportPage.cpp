#include "core/reports/ReportPage.h"

#include <utility>

ReportPage::ReportPage(QString title) : m_title(std::move(title)) {}

void ReportPage::addEmptyLines(int count)
{
    for (int i = 0; i < count; ++i)
        m_lines.append(ReportLine{});
}

void ReportPage::addLine(ReportLine items) { m_lines.append(std::move(items)); }

void ReportPage::addWrapped(int column, QString text, int width, int indent)
{
    const QString margin(indent, QLatin1Char(' '));
    while (text.size() > width) {
        qsizetype cut = text.lastIndexOf(QLatin1Char(' '), width);
        if (cut <= indent)
            cut = width;
        addLine({{column, text.left(cut)}});
        qsizetype rest = cut;
        while (rest < text.size() && text.at(rest) == QLatin1Char(' '))
            ++rest;
        text = margin + text.mid(rest);
    }
    addLine({{column, text}});
}

QString ReportPage::rule(char character, int count)
{
    return QString(count, QLatin1Char(character));
}
