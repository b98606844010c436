#pragma once

#include <QString>
#include <QStringList>

// What became of a report the print service accepted, judged from the job's own state and its
// printer's a short moment after it was queued. A job still pending or held, or on a stopped
// printer, waits; a job printing or done does not, whatever warnings the printer reports. The
// printer's reasons only say why a job waits.
namespace jobprogress {

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
};

// `settled`: the short moment after queueing has passed. Before it only a job that is done or
// ended is decided, so that reasons left over from an earlier job do not count.
Verdict judge(const Reading &reading, bool settled);

// Why a waiting job waits, in plain words: the printer's stops, else what its states say.
QString whyWaiting(const Reading &reading);

} // namespace jobprogress
