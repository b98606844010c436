#pragma once

#include <QList>
#include <QString>

// One item of a report line: a text placed at a column stop. Column 1 is the left edge of the
// printable area; column n lies n - 1 average character widths to its right.
struct ReportItem {
    int column = 1;
    QString text;

    friend bool operator==(const ReportItem &, const ReportItem &) = default;
};

using ReportLine = QList<ReportItem>; // an empty line is a line break alone

// A printed report as plain data: a title for the print job and its lines, top-down, of items
// at column stops. Built without any device; ReportLayout turns it into positions on a page.
class ReportPage {
public:
    explicit ReportPage(QString title = {});

    // A rule: `count` copies of `character`.
    static QString rule(char character, int count);

    void addEmptyLines(int count);
    void addLine(ReportLine items);
    // `text` at `column` as lines of at most `width` characters, broken at the last blank that
    // fits (a word longer than a line where the line ends), each line after the first indented
    // by `indent` blanks: a file's name, which can be of any length, never runs off the page.
    void addWrapped(int column, QString text, int width, int indent);

    const QString &title() const { return m_title; }
    const QList<ReportLine> &lines() const { return m_lines; }

private:
    QString m_title;
    QList<ReportLine> m_lines;
};
