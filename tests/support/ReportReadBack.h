#pragma once

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>

// Reading a printed report back from `pdftotext -layout`: the text rows of the page with their
// left margin removed, so that character n of a row stands in report column n + 1.
namespace readback {

// A row with each text starting at its column.
inline QString row(std::initializer_list<std::pair<int, QString>> items)
{
    QString text;
    for (const auto &[column, item] : items) {
        text = text.leftJustified(column - 1, QLatin1Char(' '));
        text += item;
    }
    return text;
}

inline QString trimmedRight(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

// The non-blank rows of the page, shifted so that the first character of `anchor` (the first
// row that contains it) stands at `anchorColumn`. Rows that would lose text are kept whole and
// so fail any comparison.
inline QStringList rows(const QString &layoutText, const QString &anchor, int anchorColumn)
{
    QStringList lines;
    for (const QString &line : layoutText.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && line != QStringLiteral("\f"))
            lines.append(trimmedRight(line).remove(QLatin1Char('\f')));
    qsizetype offset = 0; // how far the page's column 1 stands right of the text's first column
    for (const QString &line : lines) {
        if (line.contains(anchor)) {
            offset = line.indexOf(anchor) - (anchorColumn - 1);
            break;
        }
    }
    QStringList shifted;
    for (const QString &line : lines) {
        if (offset < 0)
            shifted.append(QString(-offset, QLatin1Char(' ')) + line);
        else
            shifted.append(line.left(offset).trimmed().isEmpty() ? line.mid(offset) : line);
    }
    return shifted;
}

inline QStringList withoutBlankRows(const QStringList &expected)
{
    QStringList rows;
    for (const QString &line : expected)
        if (!line.trimmed().isEmpty())
            rows.append(trimmedRight(line));
    return rows;
}

// A word of the page as `pdftotext -bbox` places it, in points from the top-left corner.
struct Word {
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    QString text;
};

struct Page {
    double width = 0;
    double height = 0;
    QList<Word> words;
};

inline Page boxes(const QString &bboxHtml)
{
    Page page;
    static const QRegularExpression pageSize(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    const QRegularExpressionMatch size = pageSize.match(bboxHtml);
    page.width = size.captured(1).toDouble();
    page.height = size.captured(2).toDouble();
    for (const QRegularExpressionMatch &m : word.globalMatch(bboxHtml))
        page.words.append({m.captured(1).toDouble(), m.captured(2).toDouble(),
                           m.captured(3).toDouble(), m.captured(4)});
    return page;
}

// The three times of a printed session report in seconds, with their counts; -1 where missing.
struct Times {
    double sample = -1;
    double talk = -1;
    int talkCount = -1;
    double clutter = -1;
    int clutterCount = -1;
};

inline Times times(const QStringList &rows)
{
    static const QRegularExpression timed(
        QStringLiteral(R"(^([\d.]+)\s+s\.\s*(?:\(n=\s*(\d+)\s*\))?$)"));
    Times times;
    const auto read = [&rows](const char *label, double *seconds, int *count) {
        for (const QString &row : rows) {
            const QRegularExpressionMatch m = timed.match(row.mid(56).trimmed());
            if (row.trimmed().startsWith(QLatin1String(label)) && m.hasMatch()) {
                *seconds = m.captured(1).toDouble();
                if (count)
                    *count = m.captured(2).toInt();
            }
        }
    };
    read("Total sample duration :", &times.sample, nullptr);
    read("Total talking time :", &times.talk, &times.talkCount);
    read("Total cluttering time :", &times.clutter, &times.clutterCount);
    return times;
}

// A printed time lies within a tick (0.2 s) of the interval [least, most] in seconds in which
// the action happened.
inline bool withinATick(double printed, double least, double most)
{
    return printed > least - 0.21 && printed < most + 0.21;
}

// A file's bytes (none when it cannot be read), and a file written with `bytes`.
inline QByteArray file(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

} // namespace readback
