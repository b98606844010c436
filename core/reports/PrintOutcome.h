#pragma once

#include <QString>
#include <QStringList>

// What became of one report sent to the printer, with the words the user reads for it, and the
// verdict on a job the print service accepted. Plain data: no device, no print library.
struct PrintOutcome {
    enum class Kind {
        Printed,
        Waiting,            // accepted, but the printer reports it cannot print now
        NoPrinter,          // nothing to print on
        NoDefault,          // printers are installed, none is the default
        ServiceUnavailable, // the print service is not running: it refused the connection
        HostNotFound,       // the print service's host name names no host
        NoLookup,           // the host name cannot be looked up: getent is missing
        NoAnswer,           // the print service did not answer in time; nothing was sent
        SignInNeeded,       // the print service asks for a user name and password
        PrinterStopped,
        PrinterRejecting,
        JobRefused,
        JobEnded,    // accepted, then canceled or aborted without printing
        Unconfirmed, // the whole report was handed over, then the service fell silent
        RenderFailed,
    };

    // How long the conversation with the print service may take before the job is created, in
    // seconds; past it nothing is created and the user is told that nothing was printed.
    static constexpr int boundSeconds = 10;

    Kind kind = Kind::Printed;
    int jobId = 0;
    QString service; // the print service asked: "host:port", or empty for the local one
    QString printer;
    QString detail;        // the print service's own words, where it gave any
    QStringList installed; // with NoDefault: the printers there are
    QString waitingReason; // with Waiting: why, in plain words

    bool printed() const { return kind == Kind::Printed; }
    // Nothing came out and none will: the report can be saved as a PDF file instead.
    bool canSaveInstead() const;
    QString message() const;
};

// An accepted job, judged from its own state and its printer's a short moment after it was
// queued. A job still pending or held, or on a stopped printer (also in the middle of printing
// it), waits; a job done does not, nor one printing on a printer that reports no stop, whatever
// warnings it reports. The printer's reasons only say why a job waits. A job whose state cannot
// be read is not confirmed.
namespace printjob {

// The IPP job-state and printer-state values.
enum JobState {
    Pending = 3,
    Held = 4,
    Processing = 5,
    JobStopped = 6,
    Canceled = 7,
    Aborted = 8,
    Completed = 9
};
enum PrinterState { Idle = 3, Busy = 4, PrinterStopped = 5 };

// One reading of the job and its printer; 0 for a state the service did not give.
struct Reading {
    int jobState = 0;
    int printerState = 0;
    QStringList printerReasons;
};

enum class Verdict {
    Undecided, // too early to tell
    Printing,  // printing or printed
    Waiting,   // kept in the queue
    Ended,     // canceled or aborted without printing
    Unknown,   // its state could not be read: not confirmed
};

// `settled`: the short moment after queueing has passed. Before it only a job that is done or
// ended is decided, so that reasons left over from an earlier job do not count.
Verdict judge(const Reading &reading, bool settled);

// Why a waiting job waits, in plain words: the printer's stops, else what its states say.
QString whyWaiting(const Reading &reading);

// The printer-state-reasons keywords of a queue (IPP), read for what they say about printing
// now. A reason with no suffix or the "-error" suffix stops the printer; one with "-warning"
// never does, and "-report" is informational, except CUPS's "offline-report", its way of saying
// the printer cannot be reached. "the printer reports it is out of paper" for
// ["media-empty-error"]; several stops are joined ("... it is out of paper and a door is open").
// Empty when no reason stops the printer.
QString reasonsInWords(const QStringList &reasons);

} // namespace printjob
