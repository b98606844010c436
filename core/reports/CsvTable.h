#pragma once

#include "core/reports/RecordKind.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// An existing data table as judged before a row is added to it, from the few bytes that tell:
// its header line with the start of its rows, and its end. The rest is never read, so a table of
// a whole study is judged as fast as a new one, and a read that fails midway can never cost a row.
// A table is refused when it holds another kind of data or none, was re-saved by a spreadsheet
// with ";" between its values, or is in an encoding other than UTF-8 (a byte-order mark other
// than UTF-8's, NUL bytes, or bytes that are not UTF-8 where it was read).
struct CsvTable {
    QString refusal;            // why the table cannot take the row, or empty when it can
    QByteArray ending = "\r\n"; // the table's own line ending, its header's
    qint64 keep = 0;            // its bytes up to the last record's line end: blank lines cut off
    bool unended = false;       // the last record has no line end, so the row needs one before it

    // Judges the `size` bytes of `device` (open for reading) for a row of `kind`. A read that
    // fails refuses the table, naming the device's error.
    static CsvTable judge(QIODevice &device, qint64 size, RecordKind kind);

    // One record: each field quoted where it holds a comma, a quote or a line break, with its
    // quotes doubled, and the line ending.
    static QByteArray line(const QStringList &fields, const QByteArray &ending = "\r\n");
    // The records of a whole table, as line() writes them: ended by CR LF or LF, a quoted field
    // holding its line breaks.
    static QList<QStringList> records(const QString &text);

private:
    void judgeStart(const QByteArray &start, RecordKind kind);
    bool judgeEnd(QIODevice &device, qint64 size);
    void refuse(const QString &why) { refusal = why; }
};
