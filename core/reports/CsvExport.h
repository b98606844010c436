#pragma once

#include "core/reports/RecordRow.h"
#include "core/reports/SaveOutcome.h"

#include <QByteArray>
#include <QStringList>

// A data table as a CSV file (RFC 4180, UTF-8, a header row, lines ending in CR LF) that collects
// one row per export. A new file gets the header and the row; an existing file whose header is
// exactly the row's gets the row appended, in the file's own line ending; any other file is
// refused, saying why, and left as it was. Of an existing file only its header is read for what
// it says (and its start, to tell text from other data); its rows are copied unread into the new
// copy. The file is written whole or not at
// all: the new copy replaces the old one only once all of it is on disk.
class CsvExport {
public:
    static SaveOutcome write(const RecordRow &row, const QString &path);

    // One record: each field quoted where it holds a comma, a quote or a line break, with its
    // quotes doubled, and the line ending.
    static QByteArray line(const QStringList &fields, const QByteArray &ending = "\r\n");

private:
    // Why an existing file whose first line is `header` cannot take a row of `kind`, or empty
    // when it can.
    static QString refusal(const QByteArray &header, RecordKind kind);
};
