#pragma once

#include "core/reports/RecordRow.h"
#include "core/reports/SaveOutcome.h"

// A data table as a CSV file (RFC 4180, UTF-8, a header row, lines ending in CR LF) that collects
// one row per export. A new file gets the header and the row, written whole or not at all, and
// is created only where no file is, so two programs never make two. An existing table of the
// row's kind (see CsvTable) gets the row added at its end, in its own line ending, after any
// blank lines at its end are cut off; it is never rewritten, and a write that fails partway is
// cut back to the table as it was. Any other file is refused, saying why, and left as it was.
//
// From the judging of the table to the end of the write, the export holds a lock file beside the
// table, which works on network shares too; a second program waits for it a few seconds, then
// is told the table is busy. The row is on disk before it is told as added. The export waits on
// the disk and the lock, so it is run away from the user-interface thread.
class CsvExport {
public:
    // How long an export waits for another program's lock on the table.
    static constexpr int busyWaitMs = 5000;

    static SaveOutcome write(const RecordRow &row, const QString &path);
};
