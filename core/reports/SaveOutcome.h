#pragma once

#include "core/reports/RecordKind.h"

#include <QString>

class QFileDevice;

// What became of writing a window's results to a file the user chose: its report page as a PDF
// document, or its data as a row of a CSV table, new or extended. Plain data with the words the
// user reads for it; a file is written whole or not at all, so a failure wrote nothing.
struct SaveOutcome {
    enum class Format { Pdf, Csv };
    enum class Result { Written, Appended, NotWritten };

    RecordKind kind = RecordKind::Session;
    Format format = Format::Pdf;
    Result result = Result::NotWritten;
    QString path;
    QString reason; // with NotWritten: why, in plain words

    bool written() const { return result != Result::NotWritten; }
    QString message() const;

    // Why `file`, to be written at `path`, could not be: the folder is missing or cannot be
    // written, the disk is full, or the system's own words.
    static QString reasonOf(const QFileDevice &file, const QString &path);
};
