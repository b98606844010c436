#pragma once

#include "core/reports/RecordKind.h"

#include <QString>

class QFileDevice;

// What became of writing a window's results to a file the user chose: its report page as a PDF
// document, its data as a row of a CSV table, new or extended, or the session's timeline. Plain
// data with the words the user reads for it. A file is written whole or not at all, so a failure
// wrote nothing, except where a device failed so that a table's last line could not be cut back: it
// is told so.
struct SaveOutcome {
    enum class Format { Pdf, Csv, Timeline };
    enum class Result {
        Written,
        Appended,
        NotWritten,
        Damaged, // not written, and the table's last line may be incomplete
    };

    RecordKind kind = RecordKind::Session;
    Format format = Format::Pdf;
    Result result = Result::NotWritten;
    QString path;
    QString reason; // with NotWritten: why, in plain words

    bool written() const { return result == Result::Written || result == Result::Appended; }
    QString message() const;

    // Why `file`, to be written at `path`, could not be: the folder is missing or cannot be
    // written, the disk is full, or the system's own words.
    static QString reasonOf(const QFileDevice &file, const QString &path);
    // The same for the system's error number `error`.
    static QString reasonOf(int error, const QString &path);

private:
    static QString reasonOf(bool diskFull, const QString &path, const QString &systemWords);
};
