#pragma once

#include "reports/ReportPage.h"

#include <QString>
#include <QStringList>

#include <functional>

class CupsPrinter;

// What became of one report sent to the printer: printed (with the job number the print service
// gave it) or why not. Failures carry the message the user is shown.
struct PrintOutcome {
    enum class Kind {
        Printed,
        Waiting,            // accepted, but the printer reports it cannot print now
        NoPrinter,          // nothing to print on; the report can be saved as PDF instead
        NoDefault,          // printers are installed, none is the default; the same offer
        ServiceUnavailable, // the print service is not running; the same offer
        NoAnswer,           // the print service did not answer in time; the same offer
        PrinterStopped,
        PrinterRejecting,
        JobRefused,
        JobEnded, // accepted, then canceled or aborted without printing
        RenderFailed,
    };

    // How long the whole conversation with the print service may take, in seconds.
    static constexpr int boundSeconds = 10;

    Kind kind = Kind::Printed;
    int jobId = 0;
    QString service; // the print service asked: "host:port", or empty for the local one
    QString printer;
    QString detail;        // the print service's own words, where it gave any
    QStringList installed; // with NoDefault: the printers there are
    QString waitingReason; // with Waiting: why, in plain words

    bool printed() const { return kind == Kind::Printed; }
    bool canSaveInstead() const
    {
        return kind == Kind::NoPrinter || kind == Kind::NoDefault ||
               kind == Kind::ServiceUnavailable || kind == Kind::NoAnswer;
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

// Prints a report page on the system's default printer, without a dialog: checks that the
// printer exists and can take a job, draws the page as PDF on its paper and hands it to the print
// service, then watches the job for a short moment. Nothing is sent when any check fails. A job
// the printer accepts but cannot print now (out of paper, offline, ...) stays in its queue and is
// reported as waiting. Runs on any thread; every wait for the service is bounded by `cups`.
class ReportPrinter {
public:
    // How long a queued job is watched before it is judged, in milliseconds.
    static constexpr int settleMs = 1500;

    // `printerFound` is told the default printer's name as soon as it is known.
    static PrintOutcome print(const ReportPage &page, CupsPrinter &cups,
                              const std::function<void(const QString &)> &printerFound);

    // The same page, on the locale's default paper, written to `path`.
    static SaveOutcome saveAsPdf(const ReportPage &page, const QString &path);
};
