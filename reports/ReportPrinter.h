#pragma once

#include "reports/ReportPage.h"

#include <QString>
#include <QStringList>

// What became of one report sent to the printer: printed (with the job number the print service
// gave it) or why not. Failures carry the message the user is shown.
struct PrintOutcome {
    enum class Kind {
        Printed,
        Waiting,            // accepted, but the printer reports it cannot print now
        NoPrinter,          // nothing to print on; the report can be saved as PDF instead
        NoDefault,          // printers are installed, none is the default; the same offer
        ServiceUnavailable, // the print service is not running; the same offer
        PrinterStopped,
        PrinterRejecting,
        JobRefused,
        RenderFailed,
    };

    Kind kind = Kind::Printed;
    int jobId = 0;
    QString printer;
    QString detail;        // the print service's own words, where it gave any
    QStringList installed; // with NoDefault: the printers there are
    QString waitingReason; // with Waiting: why, in plain words

    bool printed() const { return kind == Kind::Printed; }
    bool canSaveInstead() const
    {
        return kind == Kind::NoPrinter || kind == Kind::NoDefault ||
               kind == Kind::ServiceUnavailable;
    }
    QString message() const;
};

// What became of saving a report as a PDF file.
struct SaveOutcome {
    bool saved = false;
    QString path;
    QString detail;

    QString message() const;
};

// Prints a report page on the system's default printer at once, without a dialog: checks that
// the printer exists and can take a job, draws the page as PDF on its paper and hands it to the
// print service. Nothing is sent when any check fails. A job the printer accepts but cannot print
// now (out of paper, offline, ...) stays in its queue and is reported as waiting.
class ReportPrinter {
public:
    static PrintOutcome print(const ReportPage &page);

    // The same page, on the locale's default paper, written to `path`.
    static SaveOutcome saveAsPdf(const ReportPage &page, const QString &path);
};
